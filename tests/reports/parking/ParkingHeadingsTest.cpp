#include <gtest/gtest.h>

#include "ParkingHeadings.h"

using namespace tally::reports;
using namespace tally::reports::parking;

using Texts = std::vector<std::string>;

TEST(ParkingHeadings, WindowOpensWithFourColumnsEachTwoRowsHigh) {
    HeadingLayout layout = SetupParkingGrid();
    EXPECT_EQ(layout.row0, (Texts{"序", "发票号", "电子发票号", "合计"}));
    EXPECT_EQ(layout.row1, layout.row0);
    EXPECT_EQ(layout.widthsTwips, (std::vector<int>{800, 2500, 2500, 1400}));
    EXPECT_EQ(layout.frozenColumns, 3);
    EXPECT_EQ(layout.spans().size(), 4u);
    for (const auto& span : layout.spans()) EXPECT_EQ(span.rowSpan, 2);
}

TEST(ParkingHeadings, OneItemShowsPercentagesAndTaxRateUnderItsName) {
    FeeItemList items{{"P01", "停车费", 0.09, "停车收费", "停车费税额"}};
    HeadingLayout layout = LayoutParkingHeadings(items, defaultSplitRows(items));
    EXPECT_EQ(layout.row0, (Texts{"序", "发票号", "电子发票号", "停车费", "停车费", "停车费", "合计"}));
    EXPECT_EQ(layout.row1, (Texts{"序", "发票号", "电子发票号", "开发商70%", "物业30%", "税额9%", "合计"}));
    EXPECT_EQ(layout.widthsTwips, (std::vector<int>{800, 2500, 2500, 1400, 1400, 1400, 1400}));
    EXPECT_EQ(layout.spans(),
              (std::vector<HeadingSpan>{{0, 0, 2, 1}, {0, 1, 2, 1}, {0, 2, 2, 1}, {0, 3, 1, 3}, {0, 6, 2, 1}}));
}

TEST(ParkingHeadings, TwoItemsUseTheEditedSplitAndTheirOwnRates) {
    FeeItemList items{{"P01", "停车费", 0.09, "停车收费", "停车费税额"},
                      {"P02", "临时停车费", 0.07, "临时停车", "临时停车费税额"}};
    SplitRatioRows splits = defaultSplitRows(items);
    splits[1].developerText = "66.7";
    splits[1].propertyText = "33.3";
    HeadingLayout layout = LayoutParkingHeadings(items, splits);
    ASSERT_EQ(layout.columnCount(), 10);
    EXPECT_EQ(layout.row1[6], "开发商66.7%");
    EXPECT_EQ(layout.row1[7], "物业33.3%");
    EXPECT_EQ(layout.row1[8], "税额7%");
    EXPECT_EQ(layout.row1[9], "合计");
    auto spans = layout.spans();
    ASSERT_EQ(spans.size(), 6u);
    EXPECT_EQ(spans[3], (HeadingSpan{0, 3, 1, 3}));
    EXPECT_EQ(spans[4], (HeadingSpan{0, 6, 1, 3}));
    EXPECT_EQ(spans[5], (HeadingSpan{0, 9, 2, 1}));
}
