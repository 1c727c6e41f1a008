#include "VatInvoicingSheet.h"

#include "InvoiceSheet.h"

namespace tally::exports {

namespace {
constexpr int kFirstValueColumn = 7;
}  // namespace

std::filesystem::path ExportVatInvoicing(const reports::vat::VatInvoicingResult& result,
                                         const DetailSheetRequest& request) {
    const int V = result.valueColumnCount();
    const int C = result.columnCount();
    checkHeadingColumns(request.headings, C);

    DetailSheet target(request, invoiceSheetShape(result.rowCount(), C, kFirstValueColumn, result.items(),
                                                  {{4, 1, 5, 1}, {4, 2, 5, 2}, {4, 3, 4, 5}, {4, 6, 5, 6}}));
    auto& sheet = target.sheet();
    return target.write([&](int s, int i) {
        const reports::vat::InvoiceDetailRow& row = result.rows()[i];
        if (row.kind != reports::vat::RowKind::Invoice) target.fillRow(s);
        if (row.isPaymentMethodRow()) {
            // "其中" (first one only) under the date, the total and the method.
            sheet.text(s, 2, row.dateText, {.align = sheet::HAlign::Centre});
            sheet.number(s, C - 2, sheetAmount(row.total));
            sheet.text(s, C - 1, row.methodText);
            return;
        }
        // Invoice rows and the grand-total row: every column, the row wrapping its long texts.
        sheet.wrapRow(s);
        const std::vector<std::string_view> numbers{row.specialNumber, row.ordinaryNumber, row.electronicNumber,
                                                    row.receiptNumber};
        writeInvoiceCells(sheet, s, {row.dateText, numbers, row.values, V, row.total, row.methodText, row.payerText});
    });
}

}  // namespace tally::exports
