#include "ExplanationSheet.h"

#include "DetailSheet.h"
#include "Money.h"
#include "SheetWriter.h"

namespace tally::exports {

using sheet::CellStyle;
using sheet::HAlign;

namespace {

// One cell of a line or of the total row, by its column's kind.
void writeCell(sheet::SheetWriter& sheet, const reports::explain::ExplanationList& list, int row, std::size_t column,
               const std::string& text) {
    const int sheetColumn = static_cast<int>(column) + 1;
    if (text.empty()) return;
    if (list.amountColumns[column]) {
        // Exact to the cent: the cell holds the shown figure, not a longer double.
        sheet.number(row, sheetColumn, static_cast<double>(reports::parseCents(text)) / 100.0);
        return;
    }
    if (list.dateColumns[column]) {
        sheet.date(row, sheetColumn, text);
        return;
    }
    sheet.text(row, sheetColumn, text);
}

}  // namespace

std::filesystem::path ExportExplanationSheet(const reports::explain::ExplanationList& list, const std::string& title,
                                             const sheet::OutputTarget& target, const ExportProgress& progress) {
    const int columns = static_cast<int>(list.headings.size());
    const int lines = static_cast<int>(list.lines.size());
    const int totalRow = kListFirstLineRow + lines;
    sheet::SheetWriter sheet(target, {totalRow, columns});

    const auto layout = reports::explain::explanationHeadings(list);
    // The grid's column 0 numbers the lines; the sheet's rows do that.
    for (int c = 0; c < columns; ++c)
        sheet.columnWidth(c + 1, sheet::twipsToCharacters(layout.widthsTwips[static_cast<std::size_t>(c) + 1]));
    sheet.style({1, 1, totalRow, columns}, {.fontName = kSheetFont, .fontSize = kSmallFontSize});
    sheet.style({1, 1, 1, columns}, {.fontSize = 12, .bold = true, .align = HAlign::Centre});
    sheet.style({2, 1, totalRow, columns}, {.thinBorder = true});
    sheet.style({2, 1, 2, columns}, {.bold = true, .align = HAlign::Centre, .fill = kHeadingFill});
    for (int c = 0; c < columns; ++c)
        if (list.amountColumns[static_cast<std::size_t>(c)])
            sheet.style({kListFirstLineRow, c + 1, totalRow, c + 1}, {.align = HAlign::Right, .numberFormat = "#0.00"});
    sheet.style({totalRow, 1, totalRow, columns}, {.bold = true});
    if (columns > 1) sheet.merge({1, 1, 1, columns});

    sheet.text(1, 1, title);
    for (int c = 0; c < columns; ++c) sheet.text(2, c + 1, list.headings[static_cast<std::size_t>(c)]);
    for (int i = 0; i < lines; ++i) {
        const auto& cells = list.lines[static_cast<std::size_t>(i)];
        for (std::size_t c = 0; c < cells.size() && c < list.headings.size(); ++c)
            writeCell(sheet, list, kListFirstLineRow + i, c, cells[c]);
        if (progress) progress(i + 1, lines + 1);
    }
    const auto total = list.totalCells();
    for (std::size_t c = 0; c < total.size(); ++c) writeCell(sheet, list, totalRow, c, total[c]);
    if (progress) progress(lines + 1, lines + 1);
    return sheet.save();
}

}  // namespace tally::exports
