#include <gtest/gtest.h>

#include "CliOptions.h"

using namespace tally::cli;

namespace {

CliOptions parsed(std::vector<std::string> args) {
    auto r = parseCommandLine(args);
    EXPECT_TRUE(r.options.has_value()) << r.message;
    return r.options.value_or(CliOptions{});
}

TEST(CliOptions, MonthsBecomeThePeriodFromTheFirstToTheLastDay) {
    auto o = parsed({"parking", "--department", "01", "--year", "2024", "--start-month", "02", "--end-month", "02"});
    EXPECT_EQ(o.fromKey, "20240201");
    EXPECT_EQ(o.toKey, "20240229");
    EXPECT_EQ(
        parsed({"reconciliation", "--department", "01", "--year", "2023", "--start-month", "01", "--end-month", "12"})
            .toKey,
        "20231231");
}

TEST(CliOptions, SplitsKeepTheirTexts) {
    auto o = parsed({"vat-invoicing", "--department", "01", "--from", "2024-01-01", "--to", "2024-01-31", "--split",
                     "P=01=66.7/33.3"});
    ASSERT_EQ(o.splits.size(), 1u);
    EXPECT_EQ(o.splits[0].feeCode, "P");
    EXPECT_EQ(o.splits[0].developerText, "01=66.7");
    EXPECT_EQ(o.splits[0].propertyText, "33.3");
}

TEST(CliOptions, BadArgumentsAreExitStatusTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"parking", "--department", "01"},
             {"parking", "--department", "01", "--from", "2024-01-01", "--to", "2024-01-31", "--year", "2024"},
             {"parking", "--department", "01", "--year", "2024", "--start-month", "13", "--end-month", "12"},
             {"parking", "--department", "01", "--from", "2024-01-01", "--to", "2024-01-31", "--format", "pdf"},
             {"parking", "--department", "01,02", "--from", "2024-01-01", "--to", "2024-01-31", "--format", "pdf",
              "--output", "x.pdf"},
             {"departments", "--format", "pdf"},
             {"parking", "--department", "01", "--from", "2024-01-01", "--to", "2024-01-31", "--format", "xlsx"},
             {"reconciliation", "--department", "01", "--from", "2024-01-01", "--to", "2024-01-31"},
             {"--department", "01"}}) {
        auto r = parseCommandLine(args);
        EXPECT_FALSE(r.options.has_value());
        EXPECT_EQ(r.status, 2);
    }
}

TEST(CliOptions, PdfNameOrFormatPrintsTheReport) {
    const std::vector<std::string> march = {"parking",    "--department", "01",        "--from",
                                            "2024-03-01", "--to",         "2024-03-31"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = march;
        args.insert(args.end(), extra.begin(), extra.end());
        return parsed(args);
    };
    EXPECT_EQ(with({"--format", "pdf", "--output", "r.out"}).format, "pdf");
    EXPECT_EQ(with({"--output", "报表.PDF"}).format, "pdf");
    // A format given wins over the name.
    EXPECT_EQ(with({"--format", "csv", "--output", "r.pdf"}).format, "csv");
    EXPECT_EQ(with({"--output", "r.pdf.csv"}).format, "json");
}

TEST(CliOptions, DatesMustBeRealDays) {
    EXPECT_EQ(dayKeyFromIsoDate("2024-02-29"), "20240229");
    EXPECT_FALSE(dayKeyFromIsoDate("2023-02-29").has_value());
    EXPECT_FALSE(dayKeyFromIsoDate("2024-3-1").has_value());
    // a day key is always eight digits
    EXPECT_EQ(dayKeyFromIsoDate("0541-02-01"), "05410201");
    EXPECT_FALSE(dayKeyFromIsoDate("-541-02-01").has_value());
}

}  // namespace
