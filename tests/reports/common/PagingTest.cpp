#include <gtest/gtest.h>

#include "Paging.h"

using namespace tally::reports;

TEST(Paging, PageCountRoundsUp) {
    EXPECT_EQ(pageCountFor(45, 20), 3);
    EXPECT_EQ(pageCountFor(23, 20), 2);
    EXPECT_EQ(pageCountFor(40, 20), 2);
    EXPECT_EQ(pageCountFor(0, 20), 0);
    EXPECT_EQ(pageCountFor(100000, 50), 2000);  // no 16-bit limit
}

TEST(Paging, LabelUsesAtLeastTwoDigits) {
    EXPECT_EQ(pageLabel(1, 3), "第 01 页 共 03 页");
    EXPECT_EQ(pageLabel(0, 0), "第 00 页 共 00 页");
    EXPECT_EQ(pageLabel(12, 123), "第 12 页 共 123 页");
}

TEST(Paging, PageSizeFollowsTheGridHeightNeverBelowOne) {
    EXPECT_EQ(pageSizeForHeight(5400, 240), 22);  // 22.5 - 1 = 21.5 -> 22 (even)
    EXPECT_EQ(pageSizeForHeight(5280, 240), 21);  // 22 - 1
    EXPECT_EQ(pageSizeForHeight(5160, 240), 20);  // 21.5 - 1 = 20.5 -> 20 (even)
    EXPECT_EQ(pageSizeForHeight(100, 240), 1);
    EXPECT_EQ(pageSizeForHeight(100, 0), 1);
}

TEST(Paging, NavigationStopsAtTheEnds) {
    Paging p{20, 3, 1};
    p.previous();
    EXPECT_EQ(p.currentPage, 1);
    p.last();
    EXPECT_EQ(p.currentPage, 3);
    EXPECT_EQ(p.firstRow(3), 40);
    EXPECT_EQ(p.endRow(3, 45), 45);  // rows 41..45
    p.next();
    EXPECT_EQ(p.currentPage, 3);
    EXPECT_EQ(p.endRow(5, 45), 45);  // a page beyond the rows draws none
    EXPECT_EQ(p.firstRow(5), 80);
}

struct BoxCase {
    const char* name;
    const char* text;
    int pageCount;
    std::optional<int> page;
};

class PageBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(PageBox, AsksForAPageOrEmptiesTheBox) {
    EXPECT_EQ(pageFromBox(GetParam().text, GetParam().pageCount), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageBox,
    ::testing::Values(BoxCase{"two", "2", 3, 2}, BoxCase{"zero", "0", 3, std::nullopt},
                      BoxCase{"negative", "-1", 3, std::nullopt}, BoxCase{"too_large", "4", 3, std::nullopt},
                      BoxCase{"text", "abc", 3, std::nullopt}, BoxCase{"half_down_to_even", "2.5", 3, 2},
                      BoxCase{"half_up_to_even", "3.5", 4, 4}, BoxCase{"rounds_to_zero", "0.4", 3, std::nullopt},
                      BoxCase{"digits_then_text", "2页", 3, 2}),
    [](const auto& info) { return std::string(info.param.name); });
