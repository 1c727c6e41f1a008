#include "StripPlan.h"

#include <cmath>

namespace tally::app {

StripPlan planStrip(int innerWidthTwips) {
    StripPlan plan;
    plan.ornamentLeft = innerWidthTwips - kStripOrnamentTwips;
    for (int i = 1; i <= kStripMaxSlices; ++i) {
        const int x = kStripSliceSourceTwips + kStripSliceTwips * i;
        if (!(plan.ornamentLeft > x)) break;
        plan.sliceLefts.push_back(x);
    }
    return plan;
}

int twipsToPixels(int twips, double dotsPerInch) { return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0)); }

int pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<int>(std::lround(pixels * 1440.0 / dotsPerInch));
}

}  // namespace tally::app
