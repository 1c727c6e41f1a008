// Which rows go on which page, table by table.
#include <gtest/gtest.h>

#include "PageBreaks.h"

using tally::pdf::PageBreaks;
using tally::pdf::RowRange;

namespace {

struct BreakCase {
    std::string name;
    std::vector<int> heights;
    int firstRoom, room, trailer;
    std::vector<RowRange> pages;
};

class PageBreaksTable : public ::testing::TestWithParam<BreakCase> {};

TEST_P(PageBreaksTable, RowsPerPage) {
    const BreakCase& c = GetParam();
    const PageBreaks breaks(c.heights, c.firstRoom, c.room, c.trailer);
    ASSERT_EQ(breaks.pageCount(), static_cast<int>(c.pages.size()));
    for (int p = 0; p < breaks.pageCount(); ++p) EXPECT_EQ(breaks.rows(p), c.pages[p]) << "page " << p;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageBreaksTable,
    ::testing::Values(BreakCase{"no_rows_one_page", {}, 10, 10, 1, {{0, 0}}},
                      BreakCase{"all_on_the_first_page", {1, 1, 1}, 10, 20, 1, {{0, 3}}},
                      BreakCase{"first_page_has_less_room", {1, 1, 1, 1, 1, 1, 1}, 2, 3, 0, {{0, 2}, {2, 5}, {5, 7}}},
                      BreakCase{"exactly_full_pages", {1, 1, 1, 1}, 2, 2, 0, {{0, 2}, {2, 4}}},
                      BreakCase{"trailer_fits_under_the_last_row", {1, 1, 1}, 2, 3, 2, {{0, 2}, {2, 3}}},
                      BreakCase{
                          "trailer_without_room_gets_its_own_page", {1, 1, 1, 1}, 2, 2, 1, {{0, 2}, {2, 4}, {4, 4}}},
                      BreakCase{"tall_rows_take_double_room", {2, 1, 2, 2, 1}, 3, 4, 0, {{0, 2}, {2, 4}, {4, 5}}},
                      BreakCase{"row_taller_than_a_page_stands_alone", {1, 9, 1}, 3, 3, 0, {{0, 1}, {1, 2}, {2, 3}}}),
    [](const auto& info) { return info.param.name; });

TEST(PageBreaks, PagesOutsideTheDocumentClamp) {
    const PageBreaks breaks({1, 1, 1, 1, 1}, 2, 2, 0);
    ASSERT_EQ(breaks.pageCount(), 3);
    EXPECT_EQ(breaks.rows(-1), (RowRange{0, 2}));
    EXPECT_EQ(breaks.rows(7), (RowRange{4, 5}));
}

}  // namespace
