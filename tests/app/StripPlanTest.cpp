// Where the banner strip repeats its slice: lengths in twips.
#include <gtest/gtest.h>

#include "StripPlan.h"

using namespace tally::app;

namespace {

struct StripCase {
    const char* name;
    int innerWidth;
    std::size_t slices;
};

class StripSlices : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripSlices, CountsSlicesLeftOfTheOrnament) {
    const StripPlan plan = planStrip(GetParam().innerWidth);
    EXPECT_EQ(plan.sliceLefts.size(), GetParam().slices);
    EXPECT_EQ(plan.ornamentLeft, GetParam().innerWidth - 4000);
    for (std::size_t i = 0; i < plan.sliceLefts.size(); ++i) {
        EXPECT_EQ(plan.sliceLefts[i], 8850 + 300 * static_cast<int>(i + 1));
        EXPECT_LT(plan.sliceLefts[i], plan.ornamentLeft);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Widths, StripSlices,
    ::testing::Values(StripCase{"zero_width", 0, 0}, StripCase{"narrower_than_the_ornament", 3000, 0},
                      StripCase{"exactly_fixed_part_plus_slice_plus_ornament", 13150, 0},
                      StripCase{"one_twip_more", 13151, 1}, StripCase{"first_slice_just_fits", 13450, 1},
                      StripCase{"second_slice_starts", 13451, 2}, StripCase{"full_hd_at_96_dpi", 1920 * 15, 53},
                      StripCase{"wider_than_ten_thousand_slices", 8850 + 300 * 20000, 10000}),
    [](const ::testing::TestParamInfo<StripCase>& info) { return std::string(info.param.name); });

TEST(StripUnits, TwipsBecomePixelsAtTheScreenResolution) {
    EXPECT_EQ(twipsToPixels(8850, 96), 590);
    EXPECT_EQ(twipsToPixels(300, 96), 20);
    EXPECT_EQ(twipsToPixels(4000, 96), 267);
    EXPECT_EQ(twipsToPixels(300, 144), 30);
    EXPECT_EQ(pixelsToTwips(1028, 96), 15420);
    EXPECT_EQ(pixelsToTwips(7, 120), 84);
}

}  // namespace
