#pragma once
// What the sheets of the two VAT reports share: after 序 the invoice date and the invoice
// numbers, the fee items' value columns, then 合计, 收款方式 and 付款人; under the table the
// signature line 收款人 | 经理 | 缴款人 at fixed columns whatever the width of the table.
#include <string>
#include <string_view>
#include <vector>

#include "DetailSheet.h"

namespace tally::exports {

// The shape of such a sheet of `columns` columns, the value columns from `firstValueColumn`
// on; `leadingMerges` are the heading merges left of the fee items. Throws SheetError when
// the items do not fill the value columns.
// 收款人 | 经理 | 缴款人 under the VAT invoicing and pre-invoicing tables.
std::vector<SignatureCell> invoiceSignature();

DetailSheetShape invoiceSheetShape(int tableRows, int columns, int firstValueColumn, const reports::FeeItemList& items,
                                   std::vector<sheet::CellRange> leadingMerges);

// The cells of an invoice row, or of the totals row that reads like one, from column 2 on.
struct InvoiceCells {
    std::string_view date;
    std::vector<std::string_view> numbers;      // from column 3
    const std::vector<reports::Cents>& values;  // fewer than valueColumns: the rest are 0
    int valueColumns = 0;
    reports::Cents total = 0;
    std::string_view method;
    std::string_view payer;
};

void writeInvoiceCells(sheet::SheetWriter& sheet, int row, const InvoiceCells& cells);

}  // namespace tally::exports
