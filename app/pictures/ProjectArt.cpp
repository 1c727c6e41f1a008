#include "ProjectArt.h"

#include <QFont>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace tally::app {
namespace {

const QColor kDeepTeal(0x1d, 0x4a, 0x5a);
const QColor kLightTeal(0x2f, 0x7a, 0x8a);
const QColor kCream(0xf4, 0xec, 0xd6);
const QColor kGold(0xd9, 0xa4, 0x41);

// Four upright strokes crossed by a fifth: a counted five. Shared by the drawn pictures and
// the scalable icon, so both show the same marks.
std::vector<QLineF> tallyStrokes(const QRectF& box) {
    const qreal top = box.top() + box.height() * 0.18;
    const qreal bottom = box.bottom() - box.height() * 0.18;
    const qreal step = box.width() / 6.0;
    std::vector<QLineF> strokes;
    for (int i = 1; i <= 4; ++i) {
        const qreal x = box.left() + step * (i + 0.5);
        strokes.emplace_back(QPointF(x, top), QPointF(x, bottom));
    }
    strokes.emplace_back(QPointF(box.left() + step * 0.6, bottom - box.height() * 0.08),
                         QPointF(box.right() - step * 0.6, top + box.height() * 0.08));
    return strokes;
}

qreal strokeWidth(const QRectF& box) { return box.width() / 11.0; }

void drawTallyMarks(QPainter& p, const QRectF& box, const QColor& colour) {
    p.setPen(QPen(colour, strokeWidth(box), Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& stroke : tallyStrokes(box)) p.drawLine(stroke);
}

QRectF emblemMarksBox(qreal side) { return QRectF(side * 0.12, side * 0.12, side * 0.76, side * 0.76); }

QLinearGradient verticalBand(qreal height) {
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0.0, kLightTeal);
    g.setColorAt(1.0, kDeepTeal);
    return g;
}

}  // namespace

QImage drawBanner() {
    QImage image(kBannerSize, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = image.height();
    p.fillRect(image.rect(), verticalBand(h));
    // Thin gold rule along the bottom; horizontal, so it survives slicing.
    p.fillRect(QRectF(0, h - 4, image.width(), 2), kGold);

    drawTallyMarks(p, QRectF(12, 6, 40, 40), kCream);

    QFont title("DejaVu Sans", 1);
    title.setPixelSize(24);
    title.setBold(true);
    p.setFont(title);
    p.setPen(kCream);
    p.drawText(QRectF(64, 4, 240, 32), Qt::AlignLeft | Qt::AlignVCenter, "Tallyvane");
    QFont subtitle("DejaVu Sans", 1);
    subtitle.setPixelSize(12);
    p.setFont(subtitle);
    p.setPen(kCream.darker(115));
    p.drawText(QRectF(66, 31, 400, 16), Qt::AlignLeft | Qt::AlignVCenter, "fee statistics and reports");

    // Right-hand ornament: rising bars, drawn wide because the strip squeezes this part.
    const int barWidth = 22;
    const int gap = 12;
    const int heights[] = {12, 20, 16, 28, 24, 36};
    int x = image.width() - 16 - 6 * barWidth - 5 * gap;
    for (int barHeight : heights) {
        p.fillRect(QRectF(x, h - 8 - barHeight, barWidth, barHeight), kCream);
        x += barWidth + gap;
    }
    p.end();
    return image;
}

QImage drawEmblem(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(0, 0, side, side), side * 0.18, side * 0.18);
    p.fillPath(tile, verticalBand(side));
    drawTallyMarks(p, emblemMarksBox(side), kCream);
    p.end();
    return image;
}

QByteArray emblemSvg() {
    constexpr qreal side = 128;
    const QRectF box = emblemMarksBox(side);
    QString svg = QString(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
                      "  <defs><linearGradient id=\"band\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                      "<stop offset=\"0\" stop-color=\"%2\"/><stop offset=\"1\" stop-color=\"%3\"/>"
                      "</linearGradient></defs>\n"
                      "  <rect width=\"%1\" height=\"%1\" rx=\"%4\" fill=\"url(#band)\"/>\n"
                      "  <g stroke=\"%5\" stroke-width=\"%6\" stroke-linecap=\"round\">\n")
                      .arg(side)
                      .arg(kLightTeal.name(), kDeepTeal.name())
                      .arg(side * 0.18)
                      .arg(kCream.name())
                      .arg(strokeWidth(box), 0, 'f', 2);
    for (const QLineF& l : tallyStrokes(box))
        svg += QString("    <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"/>\n")
                   .arg(l.x1(), 0, 'f', 2)
                   .arg(l.y1(), 0, 'f', 2)
                   .arg(l.x2(), 0, 'f', 2)
                   .arg(l.y2(), 0, 'f', 2);
    svg += "  </g>\n</svg>\n";
    return svg.toUtf8();
}

QImage drawBackground() {
    QImage image(kBackgroundSize, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, image.width(), image.height());
    g.setColorAt(0.0, QColor(0xe9, 0xf0, 0xf2));
    g.setColorAt(1.0, QColor(0xb9, 0xcf, 0xd6));
    p.fillRect(image.rect(), g);

    QColor faint = kDeepTeal;
    faint.setAlpha(40);
    drawTallyMarks(p, QRectF(image.width() - 330, image.height() - 250, 120, 120), faint);
    QFont name("DejaVu Sans", 1);
    name.setPixelSize(64);
    name.setBold(true);
    p.setFont(name);
    p.setPen(faint);
    p.drawText(QRectF(0, image.height() - 130, image.width() - 40, 90), Qt::AlignRight | Qt::AlignVCenter, "Tallyvane");
    p.end();
    return image;
}

}  // namespace tally::app
