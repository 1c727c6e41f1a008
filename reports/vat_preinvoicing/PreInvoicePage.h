#pragma once
// How a row of the pre-invoicing result is drawn into the grid (ShowPreInvoicePage).
#include "PreInvoiceRows.h"
#include "RowsResult.h"

namespace tally::reports::preinvoice {

// Column 0 the row's number in the whole result, then date, special and ordinary
// invoice number (centred), the amounts, the row total, "预开" and the payer
// (left-aligned, the column that may need a two-line row).
DrawnRow drawPreInvoiceRow(const PreInvoiceRow& row, int number, int valueColumns);

// 序, 开票日期, 专用发票, 普通发票, the value columns, 合计, 收款方式 and 付款人.
using PreInvoiceResult = RowsResult<PreInvoiceRow, drawPreInvoiceRow, 7>;

}  // namespace tally::reports::preinvoice
