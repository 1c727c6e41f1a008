#pragma once
// How a row of the parking-fee result is drawn into the grid (ShowParkingPage).
#include <vector>

#include "DetailReport.h"
#include "ParkingRows.h"

namespace tally::reports::parking {

// Column 0 the row's number in the whole result; a detail row's label under
// 发票号 (paper) or 电子发票号 (electronic), its amounts and total; "合计" and the
// payment-method rows show label, method (right before the last column) and total.
DrawnRow drawParkingRow(const ParkingRow& row, int number, int valueColumns);

class ParkingResult : public ReportResult {
public:
    ParkingResult(std::vector<ParkingRow> rows, int valueColumns)
        : rows_(std::move(rows)), valueColumns_(valueColumns) {}

    int rowCount() const override { return static_cast<int>(rows_.size()); }
    int columnCount() const override { return valueColumns_ + 4; }
    DrawnRow drawRow(int index) const override { return drawParkingRow(rows_.at(index), index + 1, valueColumns_); }
    const std::vector<ParkingRow>& rows() const { return rows_; }

private:
    std::vector<ParkingRow> rows_;
    int valueColumns_;
};

}  // namespace tally::reports::parking
