#include "PreInvoiceSheet.h"

#include "DetailSheet.h"

namespace tally::exports {

using reports::preinvoice::PreInvoiceRow;
using sheet::HAlign;

namespace {

constexpr int kFirstValueColumn = 5;

void writeRow(sheet::SheetWriter& sheet, int s, const PreInvoiceRow& row, int V) {
    const int C = V + 7;
    sheet.date(s, 2, row.dateLabel, {.align = HAlign::Centre});
    // Invoice numbers stay text, leading zeros and all.
    sheet.text(s, 3, row.specialNumber, {.align = HAlign::Centre});
    sheet.text(s, 4, row.ordinaryNumber, {.align = HAlign::Centre});
    for (int k = 0; k < V; ++k) {
        const reports::Cents value = k < static_cast<int>(row.amounts.size()) ? row.amounts[k] : 0;
        sheet.number(s, kFirstValueColumn + k, sheetAmount(value));
    }
    sheet.number(s, C - 2, sheetAmount(row.total));
    sheet.text(s, C - 1, row.paymentText);
    sheet.text(s, C, row.payerText);
}

}  // namespace

std::filesystem::path ExportPreInvoiceSheet(const reports::preinvoice::PreInvoiceResult& result,
                                            const reports::FeeItemList& items, const DetailSheetRequest& request) {
    const int C = result.columnCount();
    const int V = C - 7;
    checkHeadingColumns(request.headings, C);
    const int n = result.rowCount();

    DetailSheetShape shape;
    shape.tableRows = n;
    shape.lastSignatureColumn = 13;
    shape.firstAmountColumn = kFirstValueColumn;
    shape.lastAmountColumn = V + 5;
    shape.headingMerges = {{4, 1, 5, 1}, {4, 2, 5, 2}, {4, 3, 4, 4}};
    for (const auto& merge : itemHeadingMerges(items, 4, V + 4)) shape.headingMerges.push_back(merge);
    for (int c : {C - 2, C - 1, C}) shape.headingMerges.push_back({4, c, 5, c});

    DetailSheet target(request, shape);
    auto& sheet = target.sheet();
    for (int i = 0; i < n; ++i) {
        const int s = DetailSheet::sheetRow(i);
        // The last row is the totals row.
        if (i == n - 1) target.fillRow(s);
        sheet.wrapRow(s);
        sheet.number(s, 1, i + 1, {.align = HAlign::Centre});
        writeRow(sheet, s, result.rows()[i], V);
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
