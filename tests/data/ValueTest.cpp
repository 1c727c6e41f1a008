#include <gtest/gtest.h>

#include <string>

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

namespace {

// Reads `text` as a date; its keys, its text and its date part.
void expectDate(const std::string& text, const std::string& dayKey, const std::string& monthKey,
                const std::string& isoText) {
    auto d = Value::fromText(text).date();
    ASSERT_TRUE(d) << text;
    EXPECT_EQ(d->dayKey(), dayKey);
    EXPECT_EQ(d->monthKey(), monthKey);
    EXPECT_EQ(d->isoText(), isoText);
    EXPECT_EQ(d->isoDate(), isoText.substr(0, 10));
}

}  // namespace

TEST(Value, DatesParseWithAndWithoutTime) {
    expectDate("2024-03-05 10:20:30", "20240305", "202403", "2024-03-05 10:20:30");
    expectDate("2024-12-31", "20241231", "202412", "2024-12-31 00:00:00");
    EXPECT_FALSE(Value::fromText("31/12/2024").date().has_value());
    EXPECT_FALSE(Value::fromText("2024-13-01").date().has_value());
}

TEST(Value, DateKeysAlwaysHaveFourYearDigits) {
    // keys compare as text, so year 541 must not give the 7-character "5410201"
    expectDate("0541-02-01", "05410201", "054102", "0541-02-01 00:00:00");
    // signs are not digits
    EXPECT_FALSE(Value::fromText("-001-01-01").date().has_value());
    EXPECT_FALSE(Value::fromText("2024-+1-01").date().has_value());
    EXPECT_FALSE(Value::fromText("2024-01--1").date().has_value());
}
