#pragma once
// The pre-invoicing corrections written into each month's subtotal row.
#include <optional>

#include "Connection.h"
#include "InvoiceTypeLists.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationSelection.h"
#include "ReconciliationTable.h"
#include "ReportError.h"

namespace tally::reports::reconciliation {

// 当月收预开票: lines collected in the month but issued in an earlier one, into
// column n + 9 of the month's subtotal row ("0.00" when there are none). A month
// without a subtotal row gets nothing. The selection's office is not used: these
// amounts are neither filtered by office nor split by rate. A database error ends
// the filling; the cells written so far stay.
std::optional<ReportError> FillCollectedPreInvoiced(data::Connection& connection,
                                                    const ReconciliationSelection& selection,
                                                    const InvoiceTypeLists& typeLists,
                                                    const ReconciliationFeeItems& items, ReconciliationTable& table);

// 当月未收预开票: lines issued in the month and not collected in it, into column n + 10.
std::optional<ReportError> FillUncollectedPreInvoiced(data::Connection& connection,
                                                      const ReconciliationSelection& selection,
                                                      const InvoiceTypeLists& typeLists,
                                                      const ReconciliationFeeItems& items, ReconciliationTable& table);

}  // namespace tally::reports::reconciliation
