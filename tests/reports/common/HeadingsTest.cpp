#include <gtest/gtest.h>

#include "Headings.h"

using namespace tally::reports;

TEST(HeadingLayout, RowZeroMergesAcrossAndMarkedColumnsMergeDown) {
    HeadingLayout h;
    h.addColumn("序", "序", 800, true);
    h.addColumn("发票号", "发票号", 2500, true);
    h.addColumn("停车费", "开发商70%", 1400, false);
    h.addColumn("停车费", "物业30%", 1400, false);
    h.addColumn("停车费", "税额9%", 1400, false);
    h.addColumn("合计", "合计", 1400, true);
    std::vector<HeadingSpan> expected{{0, 0, 2, 1}, {0, 1, 2, 1}, {0, 2, 1, 3}, {0, 5, 2, 1}};
    EXPECT_EQ(h.spans(), expected);
}

TEST(HeadingLayout, RestrictedDownMergeKeepsCellsApartWhenTheLeftColumnDoesNotMerge) {
    HeadingLayout h;
    h.downMergeRestrictedByLeft = true;
    h.addColumn("序", "序", 500, true);
    h.addColumn("开票年月", "开票年月", 900, true);
    h.addColumn("核对结果", "差额", 1200, true);
    h.addColumn("备注", "备注", 1600, true);
    auto down = h.mergedDown();
    EXPECT_EQ(down, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(h.spans(), (std::vector<HeadingSpan>{{0, 0, 2, 1}, {0, 1, 2, 1}}));
}

TEST(HeadingLayout, EqualTextsOnlyMergeWhenBothMergeTheSameWay) {
    HeadingLayout h;
    h.addColumn("合计", "合计", 1400, true);
    h.addColumn("合计", "金额", 1400, false);
    EXPECT_EQ(h.spans(), (std::vector<HeadingSpan>{{0, 0, 2, 1}}));
}
