#pragma once
// One press of 开始统计 in the reconciliation window, without the window: the
// checks, the extraction and the fills in their order, each failure handled the
// way the window handles it. Never throws.
#include <functional>
#include <vector>

#include "Connection.h"
#include "InvoiceTypeLists.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationSelection.h"
#include "ReconciliationTable.h"
#include "ReportError.h"

namespace tally::reports::reconciliation {

enum class RunEnd {
    Completed,  // every step ran (some may have reported an error and gone on)
    Refused,    // the selection was refused; nothing changed
    NoData,     // the extraction found no fee item; the table holds its headings only
    Abandoned,  // the month rows or the completion failed; the table keeps what was written
};

struct ReconciliationRun {
    ReconciliationFeeItems items;
    ReconciliationTable table;
    // Every message of the run in the order the window shows them: database errors
    // (number and description), then a refusal or the no-data text as a refused selection.
    std::vector<ReportError> reported;
    RunEnd end = RunEnd::Completed;

    bool abandoned() const { return end == RunEnd::Abandoned; }
};

// The state of a window that has just opened: no fee items, the empty 13-column table.
ReconciliationRun openedReconciliation();

// Called once the extraction has found fee items, with the table emptied to the
// headings of those items, just before the month rows are read; the window shows
// its second busy caption here.
using BeforeMonthRows = std::function<void(const ReconciliationTable&)>;

// Runs on the window's state: `previous` holds the last run's items and table, which
// a failed extraction leaves in place. The department is taken as selected.
ReconciliationRun RunReconciliation(data::Connection& connection, const ReconciliationSelection& selection,
                                    const InvoiceTypeLists& typeLists,
                                    ReconciliationRun previous = openedReconciliation(),
                                    const BeforeMonthRows& beforeMonthRows = {});

// Loads the ticket-type lists first, as the window does when it opens; if that
// fails the error is reported and the run is abandoned.
ReconciliationRun RunReconciliation(data::Connection& connection, const ReconciliationSelection& selection);

}  // namespace tally::reports::reconciliation
