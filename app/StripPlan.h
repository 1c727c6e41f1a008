#pragma once
// Where the banner strip repeats its slice and puts its right-hand ornament. All lengths
// are twips (1/1440 inch); the strip converts them to pixels at the screen's DPI.
#include <vector>

namespace tally::app {

inline constexpr int kStripSliceSourceTwips = 8850;  // banner x where the repeated slice starts
inline constexpr int kStripSliceTwips = 300;         // width of one slice
inline constexpr int kStripOrnamentTwips = 4000;     // width of the ornament at the right edge
inline constexpr int kStripMaxSlices = 10000;

struct StripPlan {
    std::vector<int> sliceLefts;  // destination x of each repeated slice, left to right
    int ornamentLeft = 0;         // destination x of the ornament: inner width - 4000
};

// Slice i (from 1) goes to 8850 + 300 * i while that is still left of the ornament.
StripPlan planStrip(int innerWidthTwips);

int twipsToPixels(int twips, double dotsPerInch);  // rounded to the nearest pixel
int pixelsToTwips(int pixels, double dotsPerInch);

}  // namespace tally::app
