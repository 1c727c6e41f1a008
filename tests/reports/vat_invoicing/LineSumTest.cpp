// Sums of amount fields as the database's Sum() gives them.
#include <gtest/gtest.h>

#include <limits>

#include "LineSum.h"

using tally::data::Value;
using tally::reports::LineSum;

namespace {

Value sumOf(std::initializer_list<Value> fields) {
    LineSum sum;
    for (const Value& field : fields) sum.add(field);
    return sum.value();
}

}  // namespace

TEST(LineSum, NullOnlyWhenEveryFieldIsNull) {
    EXPECT_TRUE(sumOf({}).isNull());
    EXPECT_TRUE(sumOf({Value(), Value()}).isNull());
    EXPECT_EQ(sumOf({Value(), Value::fromReal(0)}).text(), "0");
    EXPECT_EQ(sumOf({Value::fromReal(-2.5), Value(), Value::fromReal(1)}).text(), "-1.5");
}

TEST(LineSum, WholeNumbersStayWholeAndExact) {
    const std::int64_t big = std::int64_t{1} << 60;  // past the 53 bits a real number holds exactly
    const Value sum = sumOf({Value::fromInteger(big), Value::fromInteger(1), Value::fromInteger(2)});
    ASSERT_TRUE(sum.wholeNumber().has_value());
    EXPECT_EQ(*sum.wholeNumber(), big + 3);
}

TEST(LineSum, ARealFieldMakesTheSumReal) {
    const Value sum = sumOf({Value::fromInteger(1), Value::fromReal(0.25), Value::fromInteger(2)});
    EXPECT_FALSE(sum.wholeNumber().has_value());
    EXPECT_DOUBLE_EQ(sum.number(), 3.25);
}

TEST(LineSum, AWholeSumPast64BitsGoesOnAsARealNumber) {
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    const Value sum = sumOf({Value::fromInteger(max), Value::fromInteger(max)});
    EXPECT_FALSE(sum.wholeNumber().has_value());
    EXPECT_DOUBLE_EQ(sum.number(), 2.0 * static_cast<double>(max));
}

TEST(LineSum, ATextFieldCountsAsTheNumberItBeginsWith) {
    EXPECT_DOUBLE_EQ(sumOf({Value::fromText("12.5"), Value::fromReal(1)}).number(), 13.5);
}
