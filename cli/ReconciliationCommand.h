#pragma once
// The reconciliation report run end to end without a window, as its 开始统计 does it.
#include "CliOptions.h"
#include "Connection.h"
#include "DetailCommand.h"

namespace tally::cli {

// Output is set whenever the run completed, even when a pre-invoicing correction
// failed: the message then lists the errors and the status is 1.
CommandOutcome runReconciliationReport(data::Connection& connection, const CliOptions& options);
// The same for one department of the list.
CommandOutcome runReconciliationReportFor(data::Connection& connection, const CliOptions& options,
                                          const reports::DepartmentEntry& department);

}  // namespace tally::cli
