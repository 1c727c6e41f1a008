#include "TablePages.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>

#include <algorithm>

#include "PrintFont.h"

namespace tally::pdf {
namespace {

// Twips. The rows are as high as the sheet's default rows; a row that wraps is as high
// as the grid makes it.
constexpr double kMargin = 567;  // 1 cm round the paper
constexpr double kFooterHeight = 360;
constexpr int kRowHeight = 300, kWrapRowHeight = 600;
constexpr int kTitleHeight = 480, kConditionHeight = 300, kHeadingHeight = 300, kTrailerHeight = 360;
constexpr int kTextSize = 180, kTitleSize = 240;  // 9 and 12 points
constexpr double kPadding = 40;

QColor colourOf(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QString qText(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

int rowHeight(const reports::DrawnRow& row) { return row.wrapColumn >= 0 ? kWrapRowHeight : kRowHeight; }

double fitScale(const PrintTable& table) {
    const double printable = TablePages::paperTwips().width() - 2 * kMargin;
    return std::min(1.0, printable / std::max(1, table.tableWidthTwips()));
}

PageBreaks layOut(const PrintTable& table, double scale) {
    std::vector<int> heights;
    heights.reserve(static_cast<std::size_t>(table.rowCount));
    for (int i = 0; i < table.rowCount; ++i) heights.push_back(rowHeight(table.row(i)));
    const double printable = TablePages::paperTwips().height() - 2 * kMargin - kFooterHeight;
    const int room = static_cast<int>(printable / scale) - 2 * kHeadingHeight;
    const int top = kTitleHeight + kConditionHeight * static_cast<int>(table.conditionLines.size());
    return PageBreaks(heights, room - top, room, kTrailerHeight);
}

int horizontalFlag(reports::CellAlign align, const QString& text) {
    switch (align) {
    case reports::CellAlign::Left: return Qt::AlignLeft;
    case reports::CellAlign::Centre: return Qt::AlignHCenter;
    case reports::CellAlign::Right: return Qt::AlignRight;
    case reports::CellAlign::General: break;
    }
    // As a sheet shows a General cell: numbers to the right, text to the left.
    bool number = false;
    text.toDouble(&number);
    return number ? Qt::AlignRight : Qt::AlignLeft;
}

// A text wider than its cell is narrowed to fit rather than cut or run into the next cell.
// Placed by hand on its baseline: the rectangle form of drawText lays out every text
// again, which a year's rows cannot afford.
void drawCellText(QPainter& painter, const QFontMetricsF& metrics, const QRectF& cell, const QString& text, int hFlag,
                  bool wrap) {
    if (text.isEmpty()) return;
    const QRectF inner = cell.adjusted(kPadding, 0, -kPadding, 0);
    if (wrap) {
        painter.drawText(inner, hFlag | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
        return;
    }
    const double width = metrics.horizontalAdvance(text);
    const double baseline = inner.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    if (width > inner.width()) {
        painter.save();
        painter.translate(inner.left(), baseline);
        painter.scale(inner.width() / width, 1);
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
        return;
    }
    double x = inner.left();
    if (hFlag == Qt::AlignRight) x = inner.right() - width;
    else if (hFlag == Qt::AlignHCenter) x = inner.left() + (inner.width() - width) / 2;
    painter.drawText(QPointF(x, baseline), text);
}

}  // namespace

QSizeF TablePages::paperTwips() {
    const QSizeF points = QPageSize(QPageSize::A4).size(QPageSize::Point);
    return {points.height() * 20, points.width() * 20};  // landscape
}

TablePages::TablePages(PrintTable table)
    : table_((checkPrintTable(table), std::move(table))), scale_(fitScale(table_)), breaks_(layOut(table_, scale_)) {
    columnLeft_.push_back(0);
    for (int w : table_.widthsTwips) columnLeft_.push_back(columnLeft_.back() + w);
}

void TablePages::paint(QPainter& painter, int page) const {
    const int p = std::clamp(page, 0, pageCount() - 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(kMargin, kMargin);
    painter.scale(scale_, scale_);
    painter.setPen(QPen(Qt::black, 0));

    double y = 0;
    if (p == 0) {
        painter.setFont(printFont(kTitleSize, true));
        painter.drawText(QRectF(0, 0, columnLeft_.back(), kTitleHeight), Qt::AlignCenter, qText(table_.title));
        y = kTitleHeight;
        painter.setFont(printFont(kTextSize));
        for (const std::string& line : table_.conditionLines) {
            painter.drawText(QRectF(0, y, columnLeft_.back(), kConditionHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, qText(line));
            y += kConditionHeight;
        }
    }
    painter.setFont(printFont(kTextSize));
    paintHeadings(painter, y);
    y += 2 * kHeadingHeight;
    y = paintRows(painter, rows(p), y);
    if (p == pageCount() - 1) paintTrailer(painter, y);
    painter.restore();

    painter.save();
    painter.setFont(printFont(kTextSize));
    painter.setPen(Qt::black);
    const QSizeF paper = paperTwips();
    const QString number = QString("第 %1 页 共 %2 页").arg(p + 1).arg(pageCount());
    painter.drawText(
        QRectF(kMargin, paper.height() - kMargin - kFooterHeight, paper.width() - 2 * kMargin, kFooterHeight),
        Qt::AlignHCenter | Qt::AlignBottom, number);
    painter.restore();
}

void TablePages::paintHeadings(QPainter& painter, double top) const {
    const int columns = table_.columnCount();
    std::vector<bool> covered(static_cast<std::size_t>(2 * columns), false);
    const QFontMetricsF metrics(painter.font());
    auto cell = [&](int row, int column, int rowSpan, int columnSpan) {
        const QRectF rect(columnLeft_[column], top + row * kHeadingHeight,
                          columnLeft_[column + columnSpan] - columnLeft_[column], rowSpan * kHeadingHeight);
        painter.fillRect(rect, colourOf(table_.headingFill));
        painter.drawRect(rect);
        const std::string& text = row == 0 ? table_.headingRow0[column] : table_.headingRow1[column];
        drawCellText(painter, metrics, rect, qText(text), Qt::AlignHCenter, false);
    };
    for (const reports::HeadingSpan& span : table_.headingSpans) {
        if (span.row < 0 || span.column < 0 || span.row + span.rowSpan > 2 || span.column + span.columnSpan > columns)
            continue;
        cell(span.row, span.column, span.rowSpan, span.columnSpan);
        for (int r = span.row; r < span.row + span.rowSpan; ++r)
            for (int c = span.column; c < span.column + span.columnSpan; ++c) covered[r * columns + c] = true;
    }
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < columns; ++c)
            if (!covered[r * columns + c]) cell(r, c, 1, 1);
}

double TablePages::paintRows(QPainter& painter, RowRange range, double top) const {
    const int columns = table_.columnCount();
    const QFontMetricsF metrics(painter.font());
    double y = top;
    for (int i = range.first; i < range.end; ++i) {
        const reports::DrawnRow row = table_.row(i);
        const double h = rowHeight(row);
        const int cells = std::min(columns, static_cast<int>(row.cells.size()));
        for (int c = 0; c < cells; ++c) {
            const reports::GridCell& gridCell = row.cells[c];
            const QRectF rect(columnLeft_[c], y, columnLeft_[c + 1] - columnLeft_[c], h);
            if (gridCell.background) painter.fillRect(rect, colourOf(*gridCell.background));
            const QString text = qText(gridCell.text);
            drawCellText(painter, metrics, rect, text, horizontalFlag(gridCell.align, text), c == row.wrapColumn);
        }
        y += h;
        painter.drawLine(QPointF(0, y), QPointF(columnLeft_.back(), y));
    }
    // The column rules once for the page's rows.
    if (y > top)
        for (double x : columnLeft_) painter.drawLine(QPointF(x, top), QPointF(x, y));
    return y;
}

void TablePages::paintTrailer(QPainter& painter, double top) const {
    const QFontMetricsF metrics(painter.font());
    const double tableWidth = columnLeft_.back();
    for (const TrailerCell& cell : table_.trailer) {
        const QString text = qText(cell.text);
        const int column = std::clamp(cell.column, 0, table_.columnCount());
        // A text placed right of the table, or running past it, moves left to end at its edge.
        const double width = metrics.horizontalAdvance(text);
        const double x = std::max(0.0, std::min(columnLeft_[column], tableWidth - width));
        painter.drawText(QRectF(x, top, width + kPadding, kTrailerHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, text);
    }
}

}  // namespace tally::pdf
