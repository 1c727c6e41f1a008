#include "ParkingSheet.h"

#include "DetailSheet.h"

namespace tally::exports {

using reports::parking::ParkingRow;
using reports::parking::ParkingRowKind;
using sheet::HAlign;

namespace {

constexpr int kInvoiceNumberColumn = 2;
constexpr int kElectronicNumberColumn = 3;

void writeDetailRow(sheet::SheetWriter& sheet, int s, const ParkingRow& row, int C) {
    sheet.text(s, row.electronic ? kElectronicNumberColumn : kInvoiceNumberColumn, row.label,
               {.align = HAlign::Centre});
    for (std::size_t k = 0; k < row.amounts.size() && static_cast<int>(k) + 4 < C; ++k)
        sheet.number(s, static_cast<int>(k) + 4, sheetAmount(row.amounts[k]));
    sheet.number(s, C, sheetAmount(row.total));
}

// "合计" and the payment-method rows: label, method and total.
void writeTotalsRow(sheet::SheetWriter& sheet, int s, const ParkingRow& row, int C) {
    sheet.text(s, 2, row.label, {.align = HAlign::Centre});
    sheet.text(s, C - 1, row.paymentMethod, {.align = HAlign::Right});
    sheet.number(s, C, sheetAmount(row.total), {.align = HAlign::Right});
}

}  // namespace

std::filesystem::path ExportParkingSheet(const reports::parking::ParkingResult& result,
                                         const reports::FeeItemList& items, const DetailSheetRequest& request) {
    const int C = result.columnCount();
    checkHeadingColumns(request.headings, C);
    const int n = result.rowCount();

    DetailSheetShape shape;
    shape.tableRows = n;
    shape.lastSignatureColumn = 5;
    shape.signatureInSmallFont = true;
    shape.firstAmountColumn = 4;
    shape.lastAmountColumn = C;
    shape.headingMerges = {{4, 1, 5, 1}, {4, 2, 5, 2}, {4, 3, 5, 3}};
    for (const auto& merge : itemHeadingMerges(items, 3, C - 1)) shape.headingMerges.push_back(merge);
    shape.headingMerges.push_back({4, C, 5, C});

    DetailSheet target(request, shape);
    auto& sheet = target.sheet();
    for (int i = 0; i < n; ++i) {
        const ParkingRow& row = result.rows()[i];
        const int s = DetailSheet::sheetRow(i);
        const bool detail = row.rowKind == ParkingRowKind::Detail;
        if (!detail) target.fillRow(s);
        sheet.number(s, 1, i + 1, {.align = HAlign::Centre});
        if (detail)
            writeDetailRow(sheet, s, row, C);
        else
            writeTotalsRow(sheet, s, row, C);
        target.rowWritten(i);
    }

    const int sig = target.signatureRow();
    sheet.text(sig, 1, "收款人:");
    sheet.text(sig, 2, "经理:", {.align = HAlign::Centre});
    sheet.text(sig, 3, "缴款人:", {.align = HAlign::Left});
    sheet.text(sig, 5, "总仓管理员:", {.align = HAlign::Left});
    return target.save();
}

}  // namespace tally::exports
