#pragma once
// The VAT pre-invoicing detail report ("增值税预开票明细表"): invoices issued in the
// period whose money had not been collected by its end.
#include <vector>

#include "DetailReportParts.h"
#include "PreInvoiceRows.h"

namespace tally::reports::preinvoice {

// The fee items on lines of the invoices that count. Errors leave the items read so far.
Extraction ExtractPreInvoiceFeeItems(data::Connection& connection, const ReportRequest& request);

// One row per invoice and "合  计"; no rows when no invoice counts. Refused when a
// parking item's property percentage is not a number from 0 to 100 (nothing is sent
// to the database then).
Outcome<std::vector<PreInvoiceRow>> RunPreInvoiceStatistics(data::Connection& connection, const ReportRequest& request,
                                                            const FeeItemList& items, const SplitRatioRows& splits);

class PreInvoiceReport : public DetailReportFromParts {
public:
    PreInvoiceReport();
};

}  // namespace tally::reports::preinvoice
