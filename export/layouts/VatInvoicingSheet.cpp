#include "VatInvoicingSheet.h"

#include "DetailSheet.h"

namespace tally::exports {

using reports::vat::InvoiceDetailRow;
using reports::vat::RowKind;
using sheet::HAlign;

namespace {

constexpr int kFirstValueColumn = 7;

// Invoice rows and the grand-total row: every column, the row wrapping its long texts.
void writeInvoiceRow(sheet::SheetWriter& sheet, int s, const InvoiceDetailRow& row, int V) {
    const int C = V + 9;
    sheet.date(s, 2, row.dateText, {.align = HAlign::Centre});
    // Invoice numbers stay text, leading zeros and all.
    sheet.text(s, 3, row.specialNumber, {.align = HAlign::Centre});
    sheet.text(s, 4, row.ordinaryNumber, {.align = HAlign::Centre});
    sheet.text(s, 5, row.electronicNumber, {.align = HAlign::Centre});
    sheet.text(s, 6, row.receiptNumber, {.align = HAlign::Centre});
    for (int k = 0; k < V; ++k) {
        const reports::Cents value = k < static_cast<int>(row.values.size()) ? row.values[k] : 0;
        sheet.number(s, kFirstValueColumn + k, sheetAmount(value));
    }
    sheet.number(s, C - 2, sheetAmount(row.total));
    sheet.text(s, C - 1, row.methodText);
    sheet.text(s, C, row.payerText);
}

void writePaymentMethodRow(sheet::SheetWriter& sheet, int s, const InvoiceDetailRow& row, int V) {
    const int C = V + 9;
    sheet.text(s, 2, row.dateText, {.align = HAlign::Centre});
    sheet.number(s, C - 2, sheetAmount(row.total));
    sheet.text(s, C - 1, row.methodText);
}

}  // namespace

std::filesystem::path ExportVatInvoicing(const reports::vat::VatInvoicingResult& result,
                                         const DetailSheetRequest& request) {
    const int V = result.valueColumnCount();
    const int C = result.columnCount();
    checkHeadingColumns(request.headings, C);
    const int n = result.rowCount();

    DetailSheetShape shape;
    shape.tableRows = n;
    shape.lastSignatureColumn = 13;
    shape.firstAmountColumn = kFirstValueColumn;
    shape.lastAmountColumn = V + 7;
    shape.headingMerges = {{4, 1, 5, 1}, {4, 2, 5, 2}, {4, 3, 4, 5}, {4, 6, 5, 6}};
    for (const auto& merge : itemHeadingMerges(result.items(), 6, V + 6)) shape.headingMerges.push_back(merge);
    for (int c : {C - 2, C - 1, C}) shape.headingMerges.push_back({4, c, 5, c});

    DetailSheet target(request, shape);
    auto& sheet = target.sheet();
    for (int i = 0; i < n; ++i) {
        const InvoiceDetailRow& row = result.rows()[i];
        const int s = DetailSheet::sheetRow(i);
        if (row.kind != RowKind::Invoice) target.fillRow(s);
        if (!row.isPaymentMethodRow()) sheet.wrapRow(s);
        sheet.number(s, 1, i + 1, {.align = HAlign::Centre});
        if (row.isPaymentMethodRow())
            writePaymentMethodRow(sheet, s, row, V);
        else
            writeInvoiceRow(sheet, s, row, V);
        target.rowWritten(i);
    }

    // Fixed columns whatever the width of the table.
    const int sig = target.signatureRow();
    sheet.text(sig, 2, "收款人:");
    sheet.text(sig, 7, "经理:");
    sheet.text(sig, 13, "缴款人:");
    return target.save();
}

}  // namespace tally::exports
