// Finding rows by an invoice number, a payer or an amount.
#include <gtest/gtest.h>

#include "ResultSearch.h"

namespace tally::reports::explain {
namespace {

const std::vector<std::vector<std::string>> kRows = {
    {"1", "2024-03-01", "FP0001", "张三 北京路1号", "1234.50"},
    {"2", "2024-03-02", "fp0002", "李四", "-30.00"},
    {"3", "2024-03-02", "FP0003", "Acme Ltd", "1234.5"},
    {"4", "合  计", "", "", "1234567.00"},
};

std::optional<int> find(const std::string& query, int after = -1) {
    return findRow(
        ResultSearch(query), static_cast<int>(kRows.size()),
        [](int row) { return kRows.at(static_cast<std::size_t>(row)); }, after);
}

TEST(ResultSearch, FindsNumbersPayersAndAmounts) {
    EXPECT_EQ(find("FP0002"), 1) << "letters compare without case";
    EXPECT_EQ(find("  李四 "), 1) << "blanks around the query are ignored";
    EXPECT_EQ(find("北京路"), 0) << "part of a payer";
    EXPECT_EQ(find("acme"), 2);
    EXPECT_EQ(find("-30"), 1) << "an amount written without decimals";
    EXPECT_EQ(find("1,234,567"), 3) << "an amount with grouping";
    EXPECT_EQ(find("nobody"), std::nullopt);
    EXPECT_EQ(find(""), std::nullopt) << "an empty query finds nothing";
}

TEST(ResultSearch, NextGoesOnAfterTheRowAndWrapsAround) {
    EXPECT_EQ(find("1234.5"), 0);
    EXPECT_EQ(find("1234.5", 0), 2);
    EXPECT_EQ(find("1234.5", 2), 0) << "past the last row it starts again at the first";
    EXPECT_EQ(find("李四", 1), 1) << "the only match is found again";
    EXPECT_EQ(find("FP000", 3), 0);
}

TEST(ResultSearch, AmountsMatchByValueNotByTextAlone) {
    ResultSearch amount("1234.5");
    EXPECT_TRUE(amount.matches("1234.50"));
    EXPECT_FALSE(amount.matches("1234.60"));
    EXPECT_FALSE(ResultSearch("12.345").matches("12.35")) << "three decimals are no amount";
    EXPECT_TRUE(ResultSearch("12.345").matches("x12.345")) << "but still a text";
    EXPECT_FALSE(ResultSearch("5.00").matches("15.50"));
    EXPECT_TRUE(ResultSearch("5").matches("5.00")) << "a whole amount";
}

}  // namespace
}  // namespace tally::reports::explain
