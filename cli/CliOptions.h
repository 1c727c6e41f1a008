#pragma once
// The command line of tallyvane-report.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tally::cli {

struct SplitOption {
    std::string feeCode;
    std::string developerText;
    std::string propertyText;
};

struct CliOptions {
    std::string db;                // --db FILE.sqlite; empty: the user's settings
    std::string kind;              // parking, vat-invoicing, pre-invoicing, reconciliation
    std::string department;        // --department
    std::string office;            // --office
    std::string fromKey, toKey;    // "yyyymmdd" (from --from/--to or the year and months)
    std::string year;              // --year (reconciliation; also builds the period)
    std::string startMonth, endMonth;  // "MM"
    std::vector<SplitOption> splits;
    std::string format = "json";   // json, csv, xlsx, xls
    std::string output;            // --output FILE; empty: standard output
};

struct ParseResult {
    std::optional<CliOptions> options;  // nullopt: print message, exit with status
    std::string message;
    int status = 0;                     // 0 after --help, 2 for bad arguments
};

ParseResult parseCommandLine(const std::vector<std::string>& args);
std::string usageText();

// "2024-03-05" -> "20240305"; nullopt when it is not a real date.
std::optional<std::string> dayKeyFromIsoDate(const std::string& text);

}  // namespace tally::cli
