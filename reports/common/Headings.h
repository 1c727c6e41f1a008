#pragma once
// The two heading rows of a result grid: texts, widths and merges. Windows and
// exports both read this, so a grid and its sheet always agree.
#include <string>
#include <vector>

namespace tally::reports {

// A merged rectangle of heading cells, zero-based (row 0 or 1).
struct HeadingSpan {
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    bool operator==(const HeadingSpan&) const = default;
};

struct HeadingLayout {
    std::vector<std::string> row0, row1;  // one text per column
    std::vector<int> widthsTwips;         // 1/1440 inch
    std::vector<bool> mergeDown;          // the column's two cells show as one when equal
    // When set, a column merges down only where the column to its left does too.
    bool downMergeRestrictedByLeft = false;
    int frozenColumns = 0;

    int columnCount() const { return static_cast<int>(row0.size()); }
    void addColumn(std::string top, std::string bottom, int widthTwips, bool mergesDown);

    // Equal neighbouring texts of row 0 merge across; columns that merge down join
    // their two cells. Only rectangles larger than one cell are listed, left to right.
    std::vector<HeadingSpan> spans() const;
    // Columns whose two heading cells show as one.
    std::vector<bool> mergedDown() const;
};

}  // namespace tally::reports
