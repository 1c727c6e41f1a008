#include "DetailSheet.h"

#include <algorithm>

#include "SheetError.h"

namespace tally::exports {

using sheet::CellRange;
using sheet::CellStyle;
using sheet::HAlign;
using sheet::SheetError;

namespace {

// The layout addresses columns up to the larger of the table and the signature line.
sheet::SheetExtent extentOf(const DetailSheetShape& shape, int columns) {
    int lastSignatureColumn = 1;
    for (const SignatureCell& cell : shape.signature) lastSignatureColumn = std::max(lastSignatureColumn, cell.column);
    return {shape.tableRows + kFirstTableRow, std::max({columns, lastSignatureColumn, 4})};
}

}  // namespace

void checkHeadingColumns(const reports::HeadingLayout& headings, int columns) {
    const auto size = static_cast<std::size_t>(columns);
    if (columns < 1 || headings.row0.size() != size || headings.row1.size() != size ||
        headings.widthsTwips.size() != size)
        throw SheetError(sheet::sheet_errors::kBadCell, "表头与统计结果的列数不一致（结果 " + std::to_string(columns) +
                                                            " 列，表头 " + std::to_string(headings.row0.size()) +
                                                            " 列），请重新统计后再导出");
}

namespace {

sheet::SheetWriter openSheet(const DetailSheetRequest& request, const sheet::SheetExtent& extent) {
    if (request.workbook) return sheet::SheetWriter(*request.workbook, request.sheetName, extent);
    return sheet::SheetWriter(request.target, extent);
}

// Checked before the workbook is opened, so a refusal leaves no file behind.
int checkedColumnCount(const reports::HeadingLayout& headings) {
    checkHeadingColumns(headings, std::max(headings.columnCount(), 1));
    return headings.columnCount();
}

}  // namespace

std::vector<CellRange> itemHeadingMerges(const reports::FeeItemList& items, int columnBefore, int lastItemColumn) {
    std::vector<CellRange> merges;
    int c = columnBefore;
    for (const auto& item : items) {
        const int span = item.valueColumnCount();
        merges.push_back({4, c + 1, 4, c + span});
        c += span;
    }
    if (c != lastItemColumn)
        throw SheetError(sheet::sheet_errors::kBadCell, "收费项目与统计结果的金额列数不一致，请重新统计后再导出");
    return merges;
}

sheet::PrintLayout printLayoutFor(int frozenColumns) {
    return {
        .firstRepeatedRow = 4, .lastRepeatedRow = 5, .frozenRows = kFirstTableRow - 1, .frozenColumns = frozenColumns};
}

void mergeDown(std::vector<CellRange>& merges, std::initializer_list<int> columns) {
    for (int c : columns) merges.push_back({4, c, 5, c});
}

DetailSheet::DetailSheet(const DetailSheetRequest& request, const DetailSheetShape& shape)
    : request_(request),
      shape_(shape),
      columns_(checkedColumnCount(request.headings)),
      sheet_(openSheet(request, extentOf(shape, columns_))) {
    declareRanges();
    writeTop();
}

void DetailSheet::declareRanges() {
    const int C = columns_;
    const int lastTableRow = shape_.tableRows + kFirstTableRow - 1;
    const int lastSmallRow = shape_.signatureInSmallFont ? signatureRow() : lastTableRow;

    sheet_.style({1, 1, 1, C}, {.fontName = kSheetFont, .bold = true, .align = HAlign::Centre});
    sheet_.style({2, 1, 3, 4}, {.align = HAlign::Left});
    sheet_.style({2, 1, lastSmallRow, C}, {.fontName = kSheetFont, .fontSize = kSmallFontSize});
    sheet_.style({4, 1, 5, C}, {.align = HAlign::Centre, .fill = kHeadingFill});
    sheet_.style({4, 1, lastTableRow, C}, {.thinBorder = true});
    if (shape_.tableRows > 0 && shape_.firstAmountColumn > 0)
        sheet_.style({kFirstTableRow, shape_.firstAmountColumn, lastTableRow, shape_.lastAmountColumn},
                     {.align = HAlign::Right, .numberFormat = "#0.00"});

    sheet_.merge({1, 1, 1, C});
    sheet_.merge({2, 1, 2, 4});
    sheet_.merge({3, 1, 3, 4});
    for (const CellRange& merge : shape_.headingMerges) sheet_.merge(merge);

    for (int c = 0; c < C; ++c) sheet_.columnWidth(c + 1, sheet::twipsToCharacters(request_.headings.widthsTwips[c]));
    sheet_.printLayout(printLayoutFor(request_.headings.frozenColumns));
}

void DetailSheet::writeTop() {
    const DetailSheetLabels& labels = request_.labels;
    sheet_.text(1, 1, labels.title);
    sheet_.text(2, 1, departmentLine(labels.departmentEntry));
    sheet_.text(3, 1, invoiceDateLine(labels.startDate, labels.endDate));
    for (int c = 0; c < columns_; ++c) sheet_.text(4, c + 1, request_.headings.row0[c]);
    for (int c = 0; c < columns_; ++c) sheet_.text(5, c + 1, request_.headings.row1[c]);
}

void DetailSheet::fillRow(int row) { sheet_.style({row, 1, row, columns_}, {.fill = kHeadingFill}); }

std::filesystem::path DetailSheet::write(const std::function<void(int row, int index)>& writeRow) {
    for (int i = 0; i < shape_.tableRows; ++i) {
        const int s = i + kFirstTableRow;
        sheet_.number(s, 1, i + 1, {.align = HAlign::Centre});
        writeRow(s, i);
        if (request_.progress) request_.progress(i + 1, shape_.tableRows);
    }
    for (const SignatureCell& cell : shape_.signature) sheet_.text(signatureRow(), cell.column, cell.text, cell.style);
    return sheet_.save();
}

}  // namespace tally::exports
