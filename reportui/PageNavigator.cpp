#include "PageNavigator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

#include "Paging.h"
#include "ReportFonts.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

// Design sizes of the strip, in twips.
constexpr int kStripWidth = 5370, kStripHeight = 360;
constexpr int kButtonWidth = 270, kButtonHeight = 255;

// A button face: a triangle pointing left or right, with a bar at the outer end
// for "first" and "last".
QPixmap arrowPicture(QSize size, bool pointsLeft, bool withBar) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 64, 128));
    const double h = size.height() * 0.6;
    const double top = (size.height() - h) / 2;
    const double w = h * 0.6;
    const double bar = withBar ? 2.0 : 0.0;
    double x = (size.width() - w - (withBar ? bar + 1 : 0)) / 2;
    if (withBar && pointsLeft) {
        painter.drawRect(QRectF(x, top, bar, h));
        x += bar + 1;
    }
    {
        QPainterPath path;
        if (pointsLeft) {
            path.moveTo(x, top + h / 2);
            path.lineTo(x + w, top);
            path.lineTo(x + w, top + h);
        } else {
            path.moveTo(x, top);
            path.lineTo(x + w, top + h / 2);
            path.lineTo(x, top + h);
        }
        path.closeSubpath();
        painter.drawPath(path);
        x += w;
    }
    if (withBar && !pointsLeft) painter.drawRect(QRectF(x + 1, top, bar, h));
    return picture;
}

}  // namespace

PageNavigator::PageNavigator(QWidget* parent) : QWidget(parent) {
    setObjectName("PageNavigator");
    setFont(windowFont(9));
    resize(twipsX(kStripWidth, this), twipsY(kStripHeight, this));

    first_ = makeButton("首页", "FirstPageButton", true, 360);
    previous_ = makeButton("上一页", "PreviousPageButton", true, 660);
    next_ = makeButton("下一页", "NextPageButton", false, 2970);
    last_ = makeButton("尾页", "LastPageButton", false, 3270);
    first_->setIcon(arrowPicture(first_->iconSize(), true, true));
    last_->setIcon(arrowPicture(last_->iconSize(), false, true));

    const int lineHeight = twipsY(kStripHeight, this) - 4;
    auto placeText = [&](QWidget* w, int x, int width) {
        w->setGeometry(twipsX(x, this), (height() - lineHeight) / 2, twipsX(width, this), lineHeight);
    };
    label_ = new QLabel(QString::fromStdString(reports::pageLabel(0, 0)), this);
    label_->setObjectName("PageLabel");
    label_->setAlignment(Qt::AlignCenter);
    placeText(label_, 1230, 1440);

    auto* goTo = new QLabel("转到", this);
    placeText(goTo, 3780, 420);
    pageBox_ = new QLineEdit(this);
    pageBox_->setObjectName("PageNumberBox");
    placeText(pageBox_, 4215, 465);
    auto* page = new QLabel("页", this);
    placeText(page, 4755, 300);

    connect(first_, &QToolButton::clicked, this, &PageNavigator::firstRequested);
    connect(previous_, &QToolButton::clicked, this, &PageNavigator::previousRequested);
    connect(next_, &QToolButton::clicked, this, &PageNavigator::nextRequested);
    connect(last_, &QToolButton::clicked, this, &PageNavigator::lastRequested);
    connect(pageBox_, &QLineEdit::returnPressed, this, [this] { emit pageEntered(pageBox_->text()); });
}

QToolButton* PageNavigator::makeButton(const QString& tooltip, const QString& name, bool pointsLeft, int x) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setAutoRaise(true);
    const QSize size(twipsX(kButtonWidth, this), twipsY(kButtonHeight, this));
    button->setGeometry(twipsX(x, this), (height() - size.height()) / 2, size.width(), size.height());
    button->setIconSize(size - QSize(2, 2));
    button->setIcon(arrowPicture(button->iconSize(), pointsLeft, false));
    return button;
}

void PageNavigator::setLabel(const QString& text) { label_->setText(text); }

QString PageNavigator::labelText() const { return label_->text(); }

}  // namespace tally::reportui
