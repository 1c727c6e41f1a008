#pragma once
// The reconciliation table in the form the result grid draws: its headings, and
// every row below them with each cell's text, alignment and colour. The table is
// shown whole, not paged.
#include <vector>

#include "DetailReport.h"
#include "ReconciliationTable.h"

namespace tally::reportui {

// Rows 2 to the last of the table, in order.
std::vector<reports::DrawnRow> reconciliationGridRows(const reports::reconciliation::ReconciliationTable& table);

}  // namespace tally::reportui
