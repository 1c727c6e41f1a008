#pragma once
// The rows of one run of a report whose rows are drawn by a plain function: `fixedColumns`
// grid columns besides the fee items' value columns.
#include <utility>
#include <vector>

#include "DetailReport.h"

namespace tally::reports {

template <class Row, DrawnRow (*drawRowAs)(const Row& row, int number, int valueColumns), int fixedColumns>
class RowsResult : public ReportResult {
public:
    RowsResult(std::vector<Row> rows, int valueColumns) : rows_(std::move(rows)), valueColumns_(valueColumns) {}

    int rowCount() const override { return static_cast<int>(rows_.size()); }
    int columnCount() const override { return valueColumns_ + fixedColumns; }
    DrawnRow drawRow(int index) const override { return drawRowAs(rows_.at(index), index + 1, valueColumns_); }
    const std::vector<Row>& rows() const { return rows_; }

private:
    std::vector<Row> rows_;
    int valueColumns_;
};

}  // namespace tally::reports
