#pragma once
// The detail and subtotal rows of the reconciliation table, month by month.
#include <optional>

#include "Connection.h"
#include "InvoiceTypeLists.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationSelection.h"
#include "ReconciliationTable.h"
#include "ReportError.h"

namespace tally::reports::reconciliation {

// For each month from the start month to the end month, appends one detail row
// per tax rate (the row of missing rates, S税率 100, is left out, but its receipts
// count: they go into 收据 of the month's rate-0 row, or of a row of their own with
// no rate when the month has none) and then a subtotal row, unless the month's
// invoice columns 3 to 7 add up to exactly 0.
// Every amount is the two-decimal text of its value; every sum is taken over the
// shown texts. Column 0 numbers the rows from 1 below the headings.
// A database error ends the filling; the rows appended so far stay.
std::optional<ReportError> FillMonthRows(data::Connection& connection, const ReconciliationSelection& selection,
                                         const InvoiceTypeLists& typeLists, const ReconciliationFeeItems& items,
                                         ReconciliationTable& table);

}  // namespace tally::reports::reconciliation
