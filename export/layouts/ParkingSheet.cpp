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

std::vector<SignatureCell> parkingSignature() {
    return {{1, "收款人:"},
            {2, "经理:", {.align = HAlign::Centre}},
            {3, "缴款人:", {.align = HAlign::Left}},
            {5, "总仓管理员:", {.align = HAlign::Left}}};
}

std::filesystem::path ExportParkingSheet(const reports::parking::ParkingResult& result,
                                         const reports::FeeItemList& items, const DetailSheetRequest& request) {
    const int C = result.columnCount();
    checkHeadingColumns(request.headings, C);

    DetailSheetShape shape;
    shape.tableRows = result.rowCount();
    shape.firstAmountColumn = 4;
    shape.lastAmountColumn = C;
    mergeDown(shape.headingMerges, {1, 2, 3});
    for (const auto& merge : itemHeadingMerges(items, 3, C - 1)) shape.headingMerges.push_back(merge);
    mergeDown(shape.headingMerges, {C});
    shape.signature = parkingSignature();
    shape.signatureInSmallFont = true;

    DetailSheet target(request, shape);
    return target.write([&](int s, int i) {
        const ParkingRow& row = result.rows()[i];
        if (row.rowKind == ParkingRowKind::Detail) {
            writeDetailRow(target.sheet(), s, row, C);
        } else {
            target.fillRow(s);
            writeTotalsRow(target.sheet(), s, row, C);
        }
    });
}

}  // namespace tally::exports
