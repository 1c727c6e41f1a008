#include <gtest/gtest.h>

#include <cmath>

#include "Money.h"

using namespace tally::reports;

TEST(RoundToCents, HalvesGoAwayFromZeroOnTheShownDigits) {
    EXPECT_EQ(roundToCents(1.005), 101);  // binary 1.00499999... still counts as 1.005
    EXPECT_EQ(roundToCents(2.675), 268);
    EXPECT_EQ(roundToCents(-2.675), -268);
    EXPECT_EQ(roundToCents(0.004999), 0);
    EXPECT_EQ(roundToCents(33.33 * 0.3), 1000);  // 9.999 -> 10.00
    EXPECT_EQ(roundToCents(100.01 * 0.33), 3300);
    EXPECT_EQ(roundToCents(123456789.125), 12345678913);
    EXPECT_EQ(roundToCents(0), 0);
}

TEST(RoundToCents, WholeCentsComeBackExactlyAndSumsOfThemToo) {
    for (Cents cents = -30000000; cents <= 30000000; cents += 997) {
        const double amount = static_cast<double>(cents) / 100;
        ASSERT_EQ(roundToCents(amount), cents) << amount;
        ASSERT_EQ(roundToCents(std::nextafter(amount, 1e300)), cents) << amount;
        ASSERT_EQ(roundToCents(std::nextafter(amount, -1e300)), cents) << amount;
    }
    EXPECT_EQ(roundToCents(0.1 + 0.2), 30);
    EXPECT_EQ(roundToCents(-(0.1 + 0.2)), -30);
    EXPECT_EQ(roundToCents(999999999.99), 99999999999);
    EXPECT_EQ(roundToCents(-0.0), 0);
}

TEST(FormatCents, TwoDecimalsAndNeverNegativeZero) {
    EXPECT_EQ(formatCents(0), "0.00");
    EXPECT_EQ(formatCents(roundToCents(-0.001)), "0.00");
    EXPECT_EQ(formatCents(-5), "-0.05");
    EXPECT_EQ(formatCents(6701), "67.01");
    EXPECT_EQ(formatCents(-123456), "-1234.56");
}

TEST(ParseCents, ReadsShownTextsBack) {
    EXPECT_EQ(parseCents("-120.00"), -12000);
    EXPECT_EQ(parseCents(""), 0);
    EXPECT_EQ(parseCents("0.07"), 7);
}

TEST(DecimalText, FifteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(decimalText(30.0 / 100), "0.3");
    EXPECT_EQ(decimalText(33.3 / 100), "0.333");
    EXPECT_EQ(decimalText(12.5 / 100), "0.125");
    EXPECT_EQ(decimalText(100.0 / 100), "1");
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(0.06 * 100), "6");
    EXPECT_EQ(decimalText(0.065 * 100), "6.5");
    EXPECT_EQ(decimalText(0.07 * 100), "7");  // 7.000000000000001 in binary
    EXPECT_EQ(decimalText(0.00001), "0.00001");
}

TEST(LeadingNumber, TheNumberAtTheStartOfATextOrZero) {
    EXPECT_EQ(leadingNumber("30%"), 30);
    EXPECT_EQ(leadingNumber(" 2.5x"), 2.5);
    EXPECT_EQ(leadingNumber("-1"), -1);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("."), 0);
}
