#pragma once
// Results of the four reports built by hand for the export tests, each with the headings
// its window would show. The cases are the ones the sheet checks look at.
#include <vector>

#include "ExportLabels.h"
#include "ParkingPage.h"
#include "PreInvoicePage.h"
#include "ReconciliationTable.h"
#include "VatInvoicingReport.h"

namespace tally::testing {

struct ParkingSample {
    reports::parking::ParkingResult result;
    reports::FeeItemList items;
    reports::HeadingLayout headings;
};

struct VatSample {
    reports::vat::VatInvoicingResult result;
    reports::HeadingLayout headings;
};

struct PreInvoiceSample {
    reports::preinvoice::PreInvoiceResult result;
    reports::FeeItemList items;
    reports::HeadingLayout headings;
};

exports::DetailSheetLabels sampleLabels(const std::string& title);
exports::ReconciliationSheetLabels sampleReconciliationLabels();

// Two parking items: a paper row with leading zeros, an electronic merged row, "合计",
// "其中" 现金 and 微信支付.
ParkingSample parkingWithTwoItems();
// One non-parking item (C = 11): an invoice, a voided invoice, "合  计", two payment rows.
VatSample vatWithOneOtherItem();
// One parking item and one other item (C = 14), one invoice.
VatSample vatWithParkingAndOtherItem();
// One parking item, one invoice and the totals row.
PreInvoiceSample preInvoiceWithOneInvoice();
// Two non-parking items (C = 11), two invoices, one with a long payer text, and the totals row.
PreInvoiceSample preInvoiceWithTwoOtherItems();
// `itemCount` fee items, two months of detail and subtotal rows, completed with the
// differences and the grand total.
reports::reconciliation::ReconciliationTable reconciliationWithItems(int itemCount);

}  // namespace tally::testing
