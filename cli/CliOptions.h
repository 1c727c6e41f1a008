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
    std::string db;          // --db FILE.sqlite; empty: the user's settings
    std::string kind;        // parking, vat-invoicing, pre-invoicing, reconciliation,
                             // departments, fee-items
    std::string department;  // --department as given
    // --department all or A,B,C: a month-end batch, one sheet or file per department.
    bool allDepartments = false;
    std::vector<std::string> departmentCodes;  // the list's codes in order; one for a single code
    std::string office;                        // --office
    std::string fromKey, toKey;                // "yyyymmdd" (from --from/--to or the year and months)
    std::string year;                          // --year (reconciliation; also builds the period)
    std::string startMonth, endMonth;          // "MM"
    std::vector<SplitOption> splits;
    std::string format = "json";  // json, csv, xlsx, xls; table for the listings
    std::string output;           // --output FILE; empty: standard output
    std::string outputDir;        // --output-dir DIR: one file per department
    std::string sqlLog;           // --sql-log FILE
    std::string settings;         // --settings FILE instead of the user's Korvane2011.ini
    // explain KIND: the lines behind one row (--row N) or cell (--cell ROW,COL) of the report,
    // counted from 1 as the result's row numbers and columns show them.
    bool explain = false;
    int explainRow = 0;
    int explainColumn = 0;  // 0 with --row

    bool isListing() const { return kind == "departments" || kind == "fee-items"; }
    // Written department by department (all, a list, or into a folder).
    bool isBatch() const { return allDepartments || departmentCodes.size() > 1 || !outputDir.empty(); }
};

struct ParseResult {
    std::optional<CliOptions> options;  // nullopt: print message, exit with status
    std::string message;
    int status = 0;  // 0 after --help and --version, 2 for bad arguments
};

ParseResult parseCommandLine(const std::vector<std::string>& args);
std::string usageText();
// "tallyvane-report " and the program's version.
std::string versionText();

// "2024-03-05" -> "20240305"; nullopt when it is not a real date.
std::optional<std::string> dayKeyFromIsoDate(const std::string& text);

}  // namespace tally::cli
