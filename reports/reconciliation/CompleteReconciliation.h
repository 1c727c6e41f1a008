#pragma once
// The difference of the check on every subtotal row, then the grand total.
#include "ReconciliationTable.h"

namespace tally::reports::reconciliation {

// For n fee items: on every subtotal row writes into column n + 11
//   special + ordinary + receipts − hand-over + collected pre-invoicing − uncollected pre-invoicing
// ("0.00" when the month reconciles, negative when the invoices fall short), then
// appends the grand-total row of the subtotal rows' columns 3 to n + 10, unless
// their invoice columns 3 to 7 add up to exactly 0. Missing cells count as 0.
// Throws std::out_of_range when the table has fewer than n + 13 columns.
void CompleteReconciliation(ReconciliationTable& table, int itemCount);

// The subtotal rows whose difference (the column before the last) is not 0.00: the
// months that do not reconcile.
int MonthsWithDifference(const ReconciliationTable& table);

}  // namespace tally::reports::reconciliation
