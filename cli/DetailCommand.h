#pragma once
// One paged detail report run end to end without a window: the extraction, the
// split percentages, the heading layout and the run, as the window's commands do them.
#include <memory>
#include <string>

#include "CliOptions.h"
#include "Connection.h"
#include "DetailReport.h"
#include "ReconciliationTable.h"
#include "ReportOutput.h"

namespace tally::cli {

struct CommandOutcome {
    int status = 0;        // exit status
    std::string message;   // for standard error
    ReportOutput output;
    std::shared_ptr<const reports::ReportResult> result;  // for the spreadsheet export
    reports::HeadingLayout headings;
    reports::FeeItemList items;
    reports::DepartmentEntry department;  // the department the run was for
    std::string exportDone;               // the report's message after a spreadsheet export
    // The reconciliation report's table, for its spreadsheet export.
    std::shared_ptr<const reports::reconciliation::ReconciliationTable> reconciliation;
};

CommandOutcome runDetailReport(data::Connection& connection, const reports::DetailReport& report,
                               const CliOptions& options);

}  // namespace tally::cli
