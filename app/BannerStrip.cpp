#include "BannerStrip.h"

#include <QPainter>

#include "StripPlan.h"

namespace tally::app {

BannerStrip::BannerStrip(QWidget* parent) : QWidget(parent), banner_(":/tallyvane/banner.png") {
    setObjectName("Picture1");
    setFixedHeight(banner_.isNull() ? 54 : banner_.height());
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BannerStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (banner_.isNull()) return;
    p.drawImage(0, 0, banner_);

    const double dpi = logicalDpiX();
    const auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    const int sourceX = px(kStripSliceSourceTwips);
    if (sourceX >= banner_.width()) return;
    const StripPlan plan = planStrip(pixelsToTwips(width(), dpi));

    const QRect slice(sourceX, 0, px(kStripSliceSourceTwips + kStripSliceTwips) - sourceX, banner_.height());
    for (int left : plan.sliceLefts) {
        // Edges from rounded twips, so neighbouring slices meet without gaps.
        const int x = px(left);
        p.drawImage(QRect(x, 0, px(left + kStripSliceTwips) - x, height()), banner_, slice);
    }
    const int ornamentX = px(plan.ornamentLeft);
    p.drawImage(QRect(ornamentX, 0, px(plan.ornamentLeft + kStripOrnamentTwips) - ornamentX, height()), banner_,
                QRect(sourceX, 0, banner_.width() - sourceX, banner_.height()));
}

}  // namespace tally::app
