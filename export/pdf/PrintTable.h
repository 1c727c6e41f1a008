#pragma once
// A report as it is printed: what the sheet shows, read from the report's own result.
// Title and condition lines head page 1, the two heading rows (with their merges) head
// every page, the rows follow in order and the signature line closes the table.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DetailReport.h"
#include "Headings.h"

namespace tally::pdf {

// A text of the line under the table, starting at a column (zero-based).
struct TrailerCell {
    int column = 0;
    std::string text;
};

struct PrintTable {
    std::string title;
    std::vector<std::string> conditionLines;            // " 统计部门 : ...", the period line
    std::vector<std::string> headingRow0, headingRow1;  // one text per column
    std::vector<int> widthsTwips;                       // one per column, 1/1440 inch
    std::vector<reports::HeadingSpan> headingSpans;
    // 24-bit colour, red in the low byte, of the heading rows.
    std::uint32_t headingFill = 0xFFFFFF;
    int rowCount = 0;
    // Row `index` (zero-based) with every column's text, alignment and background; a row
    // with a wrap column is printed twice as high and wraps that column's text.
    std::function<reports::DrawnRow(int index)> row;
    std::vector<TrailerCell> trailer;

    int columnCount() const { return static_cast<int>(widthsTwips.size()); }
    int tableWidthTwips() const;
    // The rightmost heading text of the columns (row 1, else row 0); "" when none.
    std::string rightmostHeading() const;
};

// Throws sheet::SheetError unless the headings give one text per column for both rows
// and one width per column, every width positive.
void checkPrintTable(const PrintTable& table);

}  // namespace tally::pdf
