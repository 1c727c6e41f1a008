// The comparison itself: what it must let pass (ties in another order, sums added in
// another order) and what it must catch.
#include <gtest/gtest.h>

#include "ResultComparison.h"

namespace tally::testing::equivalence {
namespace {

Cell n(double value) { return Cell::ofNumber(value); }
Cell t(const std::string& value) { return Cell::ofText(value); }

ResultSet result(std::vector<Row> rows) { return {{"key", "value"}, std::move(rows)}; }

const OrderColumns kByKey{0};

TEST(ResultComparison, TiesMayComeInAnyOrderButKeysMayNot) {
    const ResultSet reference = result({{t("a"), n(1)}, {t("b"), n(2)}, {t("b"), n(3)}, {t("c"), n(4)}});
    EXPECT_FALSE(
        firstDifference(result({{t("a"), n(1)}, {t("b"), n(3)}, {t("b"), n(2)}, {t("c"), n(4)}}), reference, kByKey));
    auto swapped =
        firstDifference(result({{t("b"), n(2)}, {t("a"), n(1)}, {t("b"), n(3)}, {t("c"), n(4)}}), reference, kByKey);
    ASSERT_TRUE(swapped);
    EXPECT_NE(swapped->find("ORDER BY keys differ at row 0"), std::string::npos) << *swapped;
    // Within a tie the rows still have to match as a multiset.
    auto changed =
        firstDifference(result({{t("a"), n(1)}, {t("b"), n(3)}, {t("b"), n(3)}, {t("c"), n(4)}}), reference, kByKey);
    ASSERT_TRUE(changed);
    EXPECT_NE(changed->find("among rows 1 to 2"), std::string::npos) << *changed;
}

TEST(ResultComparison, WithoutOrderRowsAreAMultiset) {
    const ResultSet reference = result({{t("a"), n(1)}, {t("a"), n(1)}, {t("b"), n(2)}});
    EXPECT_FALSE(firstDifference(result({{t("b"), n(2)}, {t("a"), n(1)}, {t("a"), n(1)}}), reference, {}));
    EXPECT_TRUE(firstDifference(result({{t("b"), n(2)}, {t("a"), n(1)}, {t("b"), n(2)}}), reference, {}));
    EXPECT_TRUE(firstDifference(result({{t("b"), n(2)}, {t("a"), n(1)}}), reference, {}));
}

TEST(ResultComparison, NumbersMatchToFourDecimalsWhateverTheSummationOrder) {
    EXPECT_FALSE(firstDifference(result({{t("a"), n(0.1 + 0.2)}}), result({{t("a"), n(0.3)}}), kByKey));
    EXPECT_FALSE(firstDifference(result({{t("a"), n(9.99e17 + 128)}}), result({{t("a"), n(9.99e17)}}), kByKey));
    // Either side of a rounding half, a hair apart.
    EXPECT_FALSE(
        firstDifference(result({{t("a"), n(0.00125 + 1e-15)}}), result({{t("a"), n(0.00125 - 1e-15)}}), kByKey));
    EXPECT_TRUE(firstDifference(result({{t("a"), n(1.2345)}}), result({{t("a"), n(1.2346)}}), kByKey));
    EXPECT_TRUE(firstDifference(result({{t("a"), n(100)}}), result({{t("a"), n(100.01)}}), kByKey));
}

TEST(ResultComparison, NullTextAndNumberNeverStandForEachOther) {
    EXPECT_TRUE(firstDifference(result({{t("a"), n(0)}}), result({{t("a"), Cell{}}}), kByKey));
    EXPECT_TRUE(firstDifference(result({{t("a"), t("")}}), result({{t("a"), Cell{}}}), kByKey));
    EXPECT_TRUE(firstDifference(result({{t("a"), t("1")}}), result({{t("a"), n(1)}}), kByKey));
    EXPECT_TRUE(firstDifference(result({{t("a"), t("x ")}}), result({{t("a"), t("x")}}), kByKey));
}

TEST(ResultComparison, ColumnCountsMustAgree) {
    ResultSet wider = result({{t("a"), n(1), n(2)}});
    wider.columns.push_back("extra");
    auto difference = firstDifference(wider, result({{t("a"), n(1)}}), kByKey);
    ASSERT_TRUE(difference);
    EXPECT_NE(difference->find("column count differs"), std::string::npos) << *difference;
}

TEST(ResultComparison, MessagesShowControlBytesEscaped) {
    EXPECT_EQ(t(std::string("a\0b\r\n", 5)).shown(), "'a\\x00b\\x0D\\x0A'");
    EXPECT_EQ(Cell{}.shown(), "Null");
    EXPECT_EQ(n(12.5).shown(), "12.5");
}

}  // namespace
}  // namespace tally::testing::equivalence
