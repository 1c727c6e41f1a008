#pragma once
// The sheet the three detail reports share: title, department and period rows, the two
// heading rows copied from the result grid with its widths, the heading fill, the fonts,
// the borders of the table, the "#0.00" amount block, the row numbers and the signature
// line. The report gives its heading merges and signature texts and writes its rows' cells.
//
// Sheet rows (from 1): 1 title, 2 department, 3 period, 4 and 5 headings, 6 to n + 5 the
// n table rows in order, n + 6 the signature line. The writer streams rows out as it goes,
// so everything that styles a range is declared here, before row 1 is written.
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "ExportLabels.h"
#include "FeeItems.h"
#include "Money.h"
#include "SheetWriter.h"

namespace tally::exports {

inline constexpr const char* kSheetFont = "微软雅黑";
inline constexpr double kSmallFontSize = 9;
inline constexpr long kHeadingFill = 16761024;  // RGB(192, 192, 255), the heading rows' light blue
inline constexpr int kFirstTableRow = 6;

// A text of the signature line under the table, at a fixed column.
struct SignatureCell {
    int column = 1;
    std::string text;
    sheet::CellStyle style = {};
};

struct DetailSheetShape {
    int tableRows = 0;          // n
    int firstAmountColumn = 0;  // the amount block, rows 6 to n + 5
    int lastAmountColumn = 0;
    std::vector<sheet::CellRange> headingMerges;  // the report's own, rows 4 and 5
    std::vector<SignatureCell> signature;         // may lie right of the table
    bool signatureInSmallFont = false;
};

class DetailSheet {
public:
    // Opens the workbook and writes rows 1 to 5. Throws SheetError, also when the
    // headings do not give one text and one width per column.
    DetailSheet(const DetailSheetRequest& request, const DetailSheetShape& shape);

    sheet::SheetWriter& sheet() { return sheet_; }
    int columns() const { return columns_; }

    // The heading's light blue over the whole width of a table row not yet written.
    void fillRow(int row);

    // Writes the table rows in order, each row's number (from 1) centred in column 1 and
    // the rest by `writeRow` with the sheet row and the table row's index (from 0), then
    // the signature line, and saves. Tells the progress callback after each row. Returns
    // the file written.
    std::filesystem::path write(const std::function<void(int row, int index)>& writeRow);

private:
    void declareRanges();
    void writeTop();
    int signatureRow() const { return shape_.tableRows + kFirstTableRow; }

    const DetailSheetRequest& request_;
    DetailSheetShape shape_;
    int columns_;
    sheet::SheetWriter sheet_;
};

// Row-4 merges of the fee items: from the column after `columnBefore`, each item's name
// over its columns (three for a parking item, two for any other). Throws SheetError when
// the items do not end at `lastItemColumn`: the headings were laid out for other items.
std::vector<sheet::CellRange> itemHeadingMerges(const reports::FeeItemList& items, int columnBefore,
                                                int lastItemColumn);

// How every report sheet prints: the heading rows 4 and 5 on every page (the title and
// condition rows only on the first), the panes frozen under them and right of the
// report's frozen columns.
sheet::PrintLayout printLayoutFor(int frozenColumns);

// Each column's two heading cells (rows 4 and 5) merged into one.
void mergeDown(std::vector<sheet::CellRange>& merges, std::initializer_list<int> columns);

// Throws SheetError unless the headings have `columns` columns.
void checkHeadingColumns(const reports::HeadingLayout& headings, int columns);

// Sheet values of amounts: whole cents as the number the "0.00" text reads as.
inline double sheetAmount(reports::Cents cents) { return static_cast<double>(cents) / 100.0; }

}  // namespace tally::exports
