// Numbers read and written the same when the process runs in a locale whose decimal
// separator is a comma, as the window program does for a German user.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Money.h"
#include "Value.h"
#include "support/ScratchFolder.h"

namespace {

using tally::data::Value;
using tally::testing::kOnWindows;
using tally::testing::ScratchFolder;
using tally::testing::setEnvironment;
using tally::testing::unsetEnvironment;
namespace reports = tally::reports;

// Switches the whole process to de_DE.UTF-8 (German on Windows) for the suite. Machines without that locale
// get one compiled into a scratch folder with localedef; without the locale sources the
// suite is skipped.
class CommaLocale : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        previous_ = std::setlocale(LC_ALL, nullptr);
        if (std::setlocale(LC_ALL, kOnWindows ? "German_Germany.1252" : "de_DE.UTF-8") || kOnWindows) return;
        scratch_ = std::make_unique<ScratchFolder>();
        const std::string build =
            "localedef -i de_DE -f UTF-8 '" + (*scratch_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(build.c_str()) != 0) return;
        // setlocale reads LOCPATH on every call; it is dropped again so the old locale can be found
        setEnvironment("LOCPATH", scratch_->path().string());
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        unsetEnvironment("LOCPATH");
    }

    static void TearDownTestSuite() {
        std::setlocale(LC_ALL, previous_.c_str());
        scratch_.reset();
    }

    void SetUp() override {
        const std::string point = std::localeconv()->decimal_point;
        if (point != ",") GTEST_SKIP() << "no comma-decimal locale: neither German nor localedef's sources";
        // The locale really is in force: the C library reads "1.5" only up to the point.
        ASSERT_EQ(std::strtod("1.5", nullptr), 1.0);
    }

    static inline std::string previous_;
    static inline std::unique_ptr<ScratchFolder> scratch_;
};

TEST_F(CommaLocale, TextFieldsReadWithAPoint) {
    EXPECT_EQ(Value::fromText("1234.56").number(), 1234.56);
    EXPECT_EQ(Value::fromText(" -0.5 kg").number(), -0.5);
    EXPECT_EQ(Value::fromText("+2.5e3").number(), 2500.0);
    EXPECT_EQ(Value::fromText("0x1.8p1").number(), 3.0);
    // a comma ends the number, as it always did
    EXPECT_EQ(Value::fromText("1,5").number(), 1.0);
    EXPECT_EQ(Value::fromText("abc").number(), 0.0);
    EXPECT_TRUE(std::isinf(Value::fromText("1e400").number()));
    EXPECT_EQ(Value::fromText("-1e-400").number(), 0.0);
}

TEST_F(CommaLocale, NumbersWrittenWithAPoint) {
    EXPECT_EQ(Value::fromReal(1234.5).text(), "1234.5");
    EXPECT_EQ(reports::decimalText(0.3), "0.3");
    EXPECT_EQ(reports::decimalText(1234.5678), "1234.5678");
    EXPECT_EQ(reports::formatCents(-123456), "-1234.56");
}

TEST_F(CommaLocale, AmountsKeepTheirCents) {
    EXPECT_EQ(reports::leadingNumber("12.34%"), 12.34);
    EXPECT_EQ(reports::leadingNumber("-0.5"), -0.5);
    EXPECT_EQ(reports::parseCents("1234.56"), 123456);
    EXPECT_EQ(reports::parseCents("-0.05"), -5);
    // Past 1e9 the cents come from the 15-digit decimal text of the double.
    EXPECT_EQ(reports::roundToCents(12345678901.235), 1234567890124);
    EXPECT_EQ(reports::roundToCents(-98765432109.875), -9876543210988);
    EXPECT_EQ(reports::roundToCents(1.005), 101);
}

}  // namespace
