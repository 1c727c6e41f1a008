#include "ReconciliationSheet.h"

#include <algorithm>

#include "CompleteReconciliation.h"
#include "DetailSheet.h"
#include "Money.h"
#include "SheetError.h"
#include "SheetWriter.h"

namespace tally::exports {

using reports::reconciliation::ReconciliationTable;
using sheet::CellRange;
using sheet::HAlign;

namespace {

// Table columns 0 to 2 (序, 开票年月, 税率) are written as they read; amounts from column 3.
constexpr int kFirstAmountColumn = 3;
constexpr int kFirstItemSheetColumn = 9;  // 财务交账 starts over the first fee item

bool isFilledRow(const ReconciliationTable& table, int r) {
    return table.text(r, 1) == reports::reconciliation::kTotalMark ||
           table.text(r, 2) == reports::reconciliation::kSubtotalMark;
}

// Fixed merges over the headings: 序, 开票年月 and 税率 down; the two VAT invoice pairs
// across; 财务交账 over the n fee items and their 小计; 备注 down.
std::vector<CellRange> headingMerges(int C) {
    const int itemCount = C - 13;
    std::vector<CellRange> merges = {{4, 1, 5, 1}, {4, 2, 5, 2}, {4, 3, 5, 3}, {4, 4, 4, 5}, {4, 6, 4, 7}};
    // Without a fee item the hand-over heading is a single cell.
    if (itemCount > 0) merges.push_back({4, kFirstItemSheetColumn, 4, itemCount + kFirstItemSheetColumn});
    merges.push_back({4, C, 5, C});
    return merges;
}

// Checked before a sheet is opened, so a refusal leaves no file behind.
sheet::SheetExtent checkedExtent(const ReconciliationTable& table) {
    const int C = table.columnCount();
    checkHeadingColumns(table.headings(), C);
    if (C < 13)
        throw sheet::SheetError(sheet::sheet_errors::kBadCell,
                                "票据核对表只有 " + std::to_string(C) + " 列，少于固定的 13 列");
    return {table.rowCount() + 4, C};
}

std::filesystem::path writeTable(sheet::SheetWriter& sheet, const ReconciliationTable& table,
                                 const ReconciliationSheetLabels& labels, const ExportProgress& progress) {
    const int C = table.columnCount();
    const int R = table.rowCount();
    const int checkRow = R + 4;
    sheet.style({1, 1, 1, C}, {.fontName = kSheetFont, .bold = true, .align = HAlign::Centre});
    sheet.style({2, 1, 3, 4}, {.align = HAlign::Left});
    sheet.style({2, 1, checkRow, C}, {.fontName = kSheetFont, .fontSize = kSmallFontSize});
    sheet.style({4, 1, 5, C}, {.align = HAlign::Centre, .fill = kHeadingFill});
    sheet.style({4, 1, R + 3, C}, {.thinBorder = true});
    sheet.style({6, 4, checkRow, C - 1}, {.align = HAlign::Right, .numberFormat = "#0.00"});
    sheet.merge({1, 1, 1, C});
    sheet.merge({2, 1, 2, 4});
    sheet.merge({3, 1, 3, 4});
    for (const CellRange& merge : headingMerges(C)) sheet.merge(merge);
    for (int c = 0; c < C; ++c) sheet.columnWidth(c + 1, sheet::twipsToCharacters(table.widthTwips(c)));
    sheet.printLayout(printLayoutFor(table.headings().frozenColumns));

    sheet.text(1, 1, labels.title);
    sheet.text(2, 1, departmentLine(labels.departmentEntry));
    sheet.text(3, 1, reconciliationPeriodLine(labels));
    for (int heading = 0; heading < ReconciliationTable::kHeadingRows; ++heading)
        for (int c = 0; c < C; ++c) sheet.text(heading + 4, c + 1, table.text(heading, c));

    const int dataRows = R - ReconciliationTable::kHeadingRows;
    for (int r = ReconciliationTable::kHeadingRows; r < R; ++r) {
        const int s = r + 4;
        const bool filled = isFilledRow(table, r);
        // 备注, the last column, is left empty.
        for (int c = 0; c < C - 1; ++c) {
            const auto& cell = table.cell(r, c);
            if (c < kFirstAmountColumn) {
                sheet.entered(s, c + 1, cell.text, {.align = HAlign::Centre});
                continue;
            }
            if (cell.text.empty()) continue;
            sheet::CellStyle style;
            if (filled && cell.colour) style.fill = static_cast<long>(*cell.colour);
            sheet.entered(s, c + 1, reports::formatCents(table.value(r, c)), style);
        }
        if (progress) progress(r - ReconciliationTable::kHeadingRows + 1, dataRows);
    }

    sheet.text(checkRow, 2, reconciliationCheckLine(table));
    return sheet.save();
}

}  // namespace

std::string reconciliationCheckLine(const ReconciliationTable& table) {
    const int months = reports::reconciliation::MonthsWithDifference(table);
    if (months == 0) return std::string(" 核对结果: 相符 ") + kReconciliationCheckFormula;
    return " 核对结果: 不符, " + std::to_string(months) + " 个月有差额 " + kReconciliationCheckFormula;
}

std::filesystem::path ExportReconciliation(const ReconciliationTable& table, const ReconciliationSheetLabels& labels,
                                           const sheet::OutputTarget& target, const ExportProgress& progress) {
    sheet::SheetWriter sheet(target, checkedExtent(table));
    return writeTable(sheet, table, labels, progress);
}

void ExportReconciliation(const ReconciliationTable& table, const ReconciliationSheetLabels& labels,
                          sheet::Workbook& book, const std::string& sheetName, const ExportProgress& progress) {
    sheet::SheetWriter sheet(book, sheetName, checkedExtent(table));
    writeTable(sheet, table, labels, progress);
}

}  // namespace tally::exports
