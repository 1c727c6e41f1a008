#pragma once
// A report result of n plain rows for paging tests: column 0 is the row number,
// column 1 "row <number>".
#include <string>

#include "DetailReport.h"

namespace tally::testing {

class NumberedResult : public reports::ReportResult {
public:
    explicit NumberedResult(int rows, int columns = 3) : rows_(rows), columns_(columns) {}
    int rowCount() const override { return rows_; }
    int columnCount() const override { return columns_; }
    reports::DrawnRow drawRow(int index) const override {
        reports::DrawnRow row;
        row.cells.resize(columns_);
        row.cells[0] = {std::to_string(index + 1), reports::CellAlign::Centre};
        row.cells[1] = {"row " + std::to_string(index + 1), reports::CellAlign::Left};
        return row;
    }

private:
    int rows_;
    int columns_;
};

inline reports::HeadingLayout numberedHeadings(int columns = 3) {
    reports::HeadingLayout h;
    h.frozenColumns = 1;
    h.addColumn("序", "序", 500, true);
    for (int c = 1; c < columns; ++c) h.addColumn("值", "列" + std::to_string(c), 1200, false);
    return h;
}

}  // namespace tally::testing
