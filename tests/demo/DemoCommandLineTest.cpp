// Arguments of tallyvane-demo-db.
#include <gtest/gtest.h>

#include <cstdint>

#include "DemoCommandLine.h"

namespace tally::demo {
namespace {

// Arguments that write out.sqlite, and the options they come to.
struct FileArguments {
    const char* name;
    std::vector<std::string> arguments;
    std::uint64_t seed;
    int invoicesPerYear;
    int years;
    int firstYear;
    int feeItems = 0;
};

void PrintTo(const FileArguments& f, std::ostream* out) { *out << f.name; }

class DemoCommandLineReads : public ::testing::TestWithParam<FileArguments> {};

TEST_P(DemoCommandLineReads, TheFileAndTheOptions) {
    const FileArguments& expected = GetParam();
    const DemoRequest request = parseDemoCommandLine(expected.arguments);
    EXPECT_FALSE(request.showHelp);
    EXPECT_EQ(request.outputPath, "out.sqlite");
    EXPECT_EQ(request.options.seed, expected.seed);
    EXPECT_EQ(request.options.invoicesPerYear, expected.invoicesPerYear);
    EXPECT_EQ(request.options.years, expected.years);
    EXPECT_EQ(request.options.firstYear, expected.firstYear);
    EXPECT_EQ(request.options.feeItems, expected.feeItems);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DemoCommandLineReads,
    ::testing::Values(FileArguments{"DefaultsCoverTwoYearsFrom2025", {"out.sqlite"}, 1u, 3000, 2, 2025},
                      FileArguments{"OptionsMayComeBeforeOrAfterTheFile",
                                    {"--seed", "18446744073709551615", "out.sqlite", "--invoices", "100000", "--years",
                                     "3", "--first-year", "2024"},
                                    18446744073709551615ull,
                                    100000,
                                    3,
                                    2024},
                      FileArguments{"FeeItems", {"out.sqlite", "--fee-items", "300"}, 1u, 3000, 2, 2025, 300},
                      FileArguments{"FewestFeeItems", {"--fee-items", "12", "out.sqlite"}, 1u, 3000, 2, 2025, 12},
                      FileArguments{
                          "MostFeeItems", {"out.sqlite", "--fee-items", "100000"}, 1u, 3000, 2, 2025, 100000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DemoCommandLine, HelpNeedsNoFile) {
    EXPECT_TRUE(parseDemoCommandLine({"--help"}).showHelp);
    EXPECT_TRUE(parseDemoCommandLine({"-h"}).showHelp);
}

TEST(DemoCommandLine, HelpListsEveryOption) {
    const std::string usage = demoUsage("tallyvane-demo-db");
    for (const char* option : {"--seed N", "--invoices N", "--years N", "--first-year YYYY", "--fee-items N"})
        EXPECT_NE(usage.find(std::string("  ") + option + " "), std::string::npos) << option;
}

struct BadArguments {
    const char* name;
    std::vector<std::string> arguments;
    const char* messagePart;
};

void PrintTo(const BadArguments& b, std::ostream* out) { *out << b.name; }

class DemoCommandLineRejects : public ::testing::TestWithParam<BadArguments> {};

TEST_P(DemoCommandLineRejects, WithAMessageNamingTheProblem) {
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
                      BadArguments{"SeedTooLarge", {"out.sqlite", "--seed", "18446744073709551616"}, "between"},
                      BadArguments{"FewerFeeItemsThanBuiltIn",
                                   {"out.sqlite", "--fee-items", "11"},
                                   "--fee-items must be between 12 and 100000"},
                      BadArguments{"TooManyFeeItems", {"out.sqlite", "--fee-items", "100001"}, "between 12 and"},
                      BadArguments{"FeeItemsWithoutValue", {"out.sqlite", "--fee-items"}, "--fee-items needs a value"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tally::demo
