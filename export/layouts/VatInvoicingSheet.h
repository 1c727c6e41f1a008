#pragma once
// The VAT invoicing detail report as a sheet: 1 序, 2 开票日期, 3 to 5 the three VAT
// invoice numbers, 6 收据, then the value columns of the fee items, 合计, 收款方式, 付款人.
#include <filesystem>

#include "ExportLabels.h"
#include "VatInvoicingReport.h"

namespace tally::exports {

// Writes every row of the result (invoices, "合  计", payment-method rows) and returns the
// file written. Throws SheetError.
std::filesystem::path ExportVatInvoicing(const reports::vat::VatInvoicingResult& result,
                                         const DetailSheetRequest& request);

}  // namespace tally::exports
