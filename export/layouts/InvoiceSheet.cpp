#include "InvoiceSheet.h"

namespace tally::exports {

using sheet::HAlign;

std::vector<SignatureCell> invoiceSignature() { return {{2, "收款人:"}, {7, "经理:"}, {13, "缴款人:"}}; }

DetailSheetShape invoiceSheetShape(int tableRows, int columns, int firstValueColumn, const reports::FeeItemList& items,
                                   std::vector<sheet::CellRange> leadingMerges) {
    const int C = columns;
    DetailSheetShape shape;
    shape.tableRows = tableRows;
    shape.firstAmountColumn = firstValueColumn;
    shape.lastAmountColumn = C - 2;
    shape.headingMerges = std::move(leadingMerges);
    for (const auto& merge : itemHeadingMerges(items, firstValueColumn - 1, C - 3))
        shape.headingMerges.push_back(merge);
    mergeDown(shape.headingMerges, {C - 2, C - 1, C});
    shape.signature = invoiceSignature();
    return shape;
}

void writeInvoiceCells(sheet::SheetWriter& sheet, int row, const InvoiceCells& cells) {
    sheet.date(row, 2, cells.date, {.align = HAlign::Centre});
    // Invoice numbers stay text, leading zeros and all.
    int c = 3;
    for (std::string_view number : cells.numbers) sheet.text(row, c++, number, {.align = HAlign::Centre});
    for (int k = 0; k < cells.valueColumns; ++k) {
        const reports::Cents value = k < static_cast<int>(cells.values.size()) ? cells.values[k] : 0;
        sheet.number(row, c++, sheetAmount(value));
    }
    sheet.number(row, c++, sheetAmount(cells.total));
    sheet.text(row, c++, cells.method);
    sheet.text(row, c, cells.payer);
}

}  // namespace tally::exports
