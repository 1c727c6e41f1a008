// Arguments of tallyvane-demo-db.
#include <gtest/gtest.h>

#include "DemoCommandLine.h"

namespace tally::demo {
namespace {

TEST(DemoCommandLine, DefaultsCoverTwoYearsFrom2025)
{
    const DemoRequest request = parseDemoCommandLine({"out.sqlite"});
    EXPECT_FALSE(request.showHelp);
    EXPECT_EQ(request.outputPath, "out.sqlite");
    EXPECT_EQ(request.options.seed, 1u);
    EXPECT_EQ(request.options.invoicesPerYear, 3000);
    EXPECT_EQ(request.options.years, 2);
    EXPECT_EQ(request.options.firstYear, 2025);
}

TEST(DemoCommandLine, OptionsMayComeBeforeOrAfterTheFile)
{
    const DemoRequest request = parseDemoCommandLine(
        {"--seed", "18446744073709551615", "out.sqlite", "--invoices", "100000", "--years", "3", "--first-year", "2024"});
    EXPECT_EQ(request.outputPath, "out.sqlite");
    EXPECT_EQ(request.options.seed, 18446744073709551615ull);
    EXPECT_EQ(request.options.invoicesPerYear, 100000);
    EXPECT_EQ(request.options.years, 3);
    EXPECT_EQ(request.options.firstYear, 2024);
}

TEST(DemoCommandLine, HelpNeedsNoFile)
{
    EXPECT_TRUE(parseDemoCommandLine({"--help"}).showHelp);
    EXPECT_TRUE(parseDemoCommandLine({"-h"}).showHelp);
}

struct BadArguments {
    const char* name;
    std::vector<std::string> arguments;
    const char* messagePart;
};

void PrintTo(const BadArguments& b, std::ostream* out) { *out << b.name; }

class DemoCommandLineRejects : public ::testing::TestWithParam<BadArguments> {};

TEST_P(DemoCommandLineRejects, WithAMessageNamingTheProblem)
{
    try {
        parseDemoCommandLine(GetParam().arguments);
        FAIL() << "accepted";
    } catch (const DemoError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().messagePart), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DemoCommandLineRejects,
    ::testing::Values(BadArguments{"NoFile", {}, "no output file"},
                      BadArguments{"OnlyOptions", {"--seed", "3"}, "no output file"},
                      BadArguments{"TwoFiles", {"a.sqlite", "b.sqlite"}, "only one output file"},
                      BadArguments{"UnknownOption", {"out.sqlite", "--rows", "5"}, "unknown option --rows"},
                      BadArguments{"MissingValue", {"out.sqlite", "--seed"}, "--seed needs a value"},
                      BadArguments{"TextForNumber", {"out.sqlite", "--invoices", "many"}, "whole number"},
                      BadArguments{"TrailingJunk", {"out.sqlite", "--years", "2x"}, "whole number"},
                      BadArguments{"Fraction", {"out.sqlite", "--invoices", "2.5"}, "whole number"},
                      BadArguments{"NegativeSeed", {"out.sqlite", "--seed", "-1"}, "--seed"},
                      BadArguments{"ZeroInvoices", {"out.sqlite", "--invoices", "0"}, "between 1 and"},
                      BadArguments{"ZeroYears", {"out.sqlite", "--years", "0"}, "between 1 and"},
                      BadArguments{"TwoDigitYear", {"out.sqlite", "--first-year", "25"}, "between 1000 and 9999"},
                      BadArguments{"PastYear9999", {"out.sqlite", "--first-year", "9999", "--years", "2"}, "9999"},
                      BadArguments{"SeedTooLarge", {"out.sqlite", "--seed", "18446744073709551616"}, "between"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tally::demo
