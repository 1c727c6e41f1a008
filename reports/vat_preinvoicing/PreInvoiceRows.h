#pragma once
// The rows of the VAT pre-invoicing detail report: one per invoice, then "合  计".
#include <string>
#include <vector>

#include "FeeItems.h"
#include "InvoiceKey.h"
#include "Money.h"
#include "Recordset.h"

namespace tally::reports::preinvoice {

struct PreInvoiceRow {
    bool isTotals = false;
    std::string dateLabel;       // 开票日期 "yyyy-mm-dd"; "合  计" on the totals row
    InvoiceKey invoice;          // the row's invoice; empty on the totals row
    std::string specialNumber;   // the number when the type name contains 专用发票
    std::string ordinaryNumber;  // else when it contains 普通发票
    std::vector<Cents> amounts;  // per value column
    std::string paymentText;     // "预开"; "" on the totals row
    std::string payerText;       // 付款人, and 地址 after a blank when set; no CR/LF pairs
    Cents total = 0;
};

// The statement's current row. A parking item's first value column is the developer
// share: the net amount less the property share rounded to cents, so the two shares
// always add up to the rounded net amount. Null counts 0.
PreInvoiceRow readPreInvoiceRow(const data::Recordset& rs, const FeeItemList& items);

// Appends "合  计": every amount column and the row totals added up.
void appendPreInvoiceTotals(std::vector<PreInvoiceRow>& rows, int valueColumns);

}  // namespace tally::reports::preinvoice
