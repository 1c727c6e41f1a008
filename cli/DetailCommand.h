#pragma once
// One paged detail report run end to end without a window: the extraction, the
// split percentages, the heading layout and the run, as the window's commands do them.
#include <memory>
#include <ostream>
#include <string>

#include "CliOptions.h"
#include "Connection.h"
#include "DetailReport.h"
#include "ReconciliationTable.h"
#include "ReportOutput.h"

namespace tally::cli {

struct CommandOutcome {
    int status = 0;       // exit status
    std::string message;  // for standard error
    ReportOutput output;
    std::shared_ptr<const reports::ReportResult> result;  // for the spreadsheet export
    reports::HeadingLayout headings;
    reports::FeeItemList items;
    reports::ReportRequest request;       // what the run was asked (detail reports)
    reports::SplitRatioRows splits;       // the split percentages it ran with (detail reports)
    reports::DepartmentEntry department;  // the department the run was for
    std::string exportDone;               // the report's message after a spreadsheet export
    // The reconciliation report's table, for its spreadsheet export.
    std::shared_ptr<const reports::reconciliation::ReconciliationTable> reconciliation;
};

// Warnings (a --split item the period did not extract) go to `warnings`, one a line.
CommandOutcome runDetailReport(data::Connection& connection, const reports::DetailReport& report,
                               const CliOptions& options, std::ostream& warnings);
// The same for one department of the list, for the runs over several departments.
CommandOutcome runDetailReportFor(data::Connection& connection, const reports::DetailReport& report,
                                  const CliOptions& options, const reports::DepartmentEntry& department,
                                  std::ostream& warnings);

// "no department CODE (tallyvane-report departments lists them)"
std::string unknownDepartmentText(const std::string& code);

// The departments the options name, in their order: every active one for "all", the first
// office of each code (or the --office given) otherwise. Status 2 and the message for a
// code that is not in the list, 1 for a database error.
struct DepartmentSelection {
    std::vector<reports::DepartmentEntry> entries;
    int status = 0;
    std::string message;
};
DepartmentSelection selectDepartments(data::Connection& connection, const CliOptions& options);

}  // namespace tally::cli
