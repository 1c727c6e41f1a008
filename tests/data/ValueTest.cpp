#include <gtest/gtest.h>

#include "Value.h"

using namespace tally::data;

TEST(Value, NullReadsAsEmptyTextAndZero) {
    Value v;
    EXPECT_TRUE(v.isNull());
    EXPECT_EQ(v.text(), "");
    EXPECT_EQ(v.number(), 0);
    EXPECT_FALSE(v.date().has_value());
}

TEST(Value, NumbersKeepTheirShortestExactText) {
    EXPECT_EQ(Value::fromReal(0.09).text(), "0.09");
    EXPECT_EQ(Value::fromReal(100.0).text(), "100");
    EXPECT_EQ(Value::fromInteger(-5).text(), "-5");
    EXPECT_DOUBLE_EQ(Value::fromText("12.5abc").number(), 12.5);
}

TEST(Value, DatesParseWithAndWithoutTime) {
    auto d = Value::fromText("2024-03-05 10:20:30").date();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->dayKey(), "20240305");
    EXPECT_EQ(d->monthKey(), "202403");
    EXPECT_EQ(d->isoText(), "2024-03-05 10:20:30");
    EXPECT_EQ(Value::fromText("2024-12-31").date()->isoDate(), "2024-12-31");
    EXPECT_FALSE(Value::fromText("31/12/2024").date().has_value());
    EXPECT_FALSE(Value::fromText("2024-13-01").date().has_value());
}

TEST(Value, DateKeysAlwaysHaveFourYearDigits) {
    // keys compare as text, so year 541 must not give the 7-character "5410201"
    auto early = Value::fromText("0541-02-01").date();
    ASSERT_TRUE(early);
    EXPECT_EQ(early->dayKey(), "05410201");
    EXPECT_EQ(early->monthKey(), "054102");
    EXPECT_EQ(early->isoDate(), "0541-02-01");
    // signs are not digits
    EXPECT_FALSE(Value::fromText("-001-01-01").date().has_value());
    EXPECT_FALSE(Value::fromText("2024-+1-01").date().has_value());
    EXPECT_FALSE(Value::fromText("2024-01--1").date().has_value());
}
