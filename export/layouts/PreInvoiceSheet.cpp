#include "PreInvoiceSheet.h"

#include "InvoiceSheet.h"

namespace tally::exports {

namespace {
constexpr int kFirstValueColumn = 5;
}  // namespace

std::filesystem::path ExportPreInvoiceSheet(const reports::preinvoice::PreInvoiceResult& result,
                                            const reports::FeeItemList& items, const DetailSheetRequest& request) {
    const int C = result.columnCount();
    const int V = C - 7;
    checkHeadingColumns(request.headings, C);
    const int n = result.rowCount();

    DetailSheet target(request,
                       invoiceSheetShape(n, C, kFirstValueColumn, items, {{4, 1, 5, 1}, {4, 2, 5, 2}, {4, 3, 4, 4}}));
    auto& sheet = target.sheet();
    return target.write([&](int s, int i) {
        // The last row is the totals row.
        if (i == n - 1) target.fillRow(s);
        sheet.wrapRow(s);
        const reports::preinvoice::PreInvoiceRow& row = result.rows()[i];
        writeInvoiceCells(sheet, s,
                          {row.dateLabel,
                           {row.specialNumber, row.ordinaryNumber},
                           row.amounts,
                           V,
                           row.total,
                           row.paymentText,
                           row.payerText});
    });
}

}  // namespace tally::exports
