#pragma once
// The VAT pre-invoicing detail report as a sheet: 1 序, 2 开票日期, 3 专用发票, 4 普通发票,
// then the value columns of the fee items, 合计, 收款方式, 付款人.
#include <filesystem>

#include "ExportLabels.h"
#include "FeeItems.h"
#include "PreInvoicePage.h"

namespace tally::exports {

// Writes every row of the result, the last one the totals row, and returns the file
// written. `items` are the fee items the run used, in list order. Throws SheetError.
std::filesystem::path ExportPreInvoiceSheet(const reports::preinvoice::PreInvoiceResult& result,
                                            const reports::FeeItemList& items, const DetailSheetRequest& request);

}  // namespace tally::exports
