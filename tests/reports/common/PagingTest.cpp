#include <gtest/gtest.h>

#include <algorithm>

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

TEST(Paging, OnlyWholeRowsFitAndAtLeastOne) {
    EXPECT_EQ(rowsThatFit(400, 20), 20);
    EXPECT_EQ(rowsThatFit(419, 20), 20);  // a row cut off does not count
    EXPECT_EQ(rowsThatFit(10, 20), 1);
    EXPECT_EQ(rowsThatFit(-5, 20), 1);
    EXPECT_EQ(rowsThatFit(400, 0), 1);
}

struct ResizeCase {
    const char* name;
    int rows, oldSize, page, newSize;
    int pageCount, currentPage;  // after the resize
};

class PageResize : public ::testing::TestWithParam<ResizeCase> {};

// The first row shown before the resize is on the page shown after it, and that page exists.
TEST_P(PageResize, KeepsTheFirstRowShownOnTheCurrentPage) {
    const auto& c = GetParam();
    Paging paging{c.oldSize, pageCountFor(c.rows, c.oldSize), c.page};
    const int firstShown = paging.firstRow(c.page);
    paging.resize(c.newSize, c.rows);
    EXPECT_EQ(paging.pageSize, std::max(c.newSize, 1));
    EXPECT_EQ(paging.pageCount, c.pageCount);
    EXPECT_EQ(paging.currentPage, c.currentPage);
    EXPECT_LE(paging.firstRow(paging.currentPage), firstShown);
    EXPECT_GT(paging.endRow(paging.currentPage, c.rows), firstShown);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageResize,
                         ::testing::Values(ResizeCase{"taller_on_page_two", 45, 20, 2, 35, 2, 1},
                                           ResizeCase{"taller_on_the_last_page", 45, 20, 3, 35, 2, 2},
                                           ResizeCase{"shorter_on_page_two", 45, 20, 2, 7, 7, 3},
                                           ResizeCase{"same_size", 45, 20, 3, 20, 3, 3},
                                           ResizeCase{"down_to_one_row", 5, 2, 3, 0, 5, 5},
                                           ResizeCase{"everything_on_one_page", 45, 10, 5, 100, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });
