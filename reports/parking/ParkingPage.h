#pragma once
// How a row of the parking-fee result is drawn into the grid (ShowParkingPage).
#include "ParkingRows.h"
#include "RowsResult.h"

namespace tally::reports::parking {

// Column 0 the row's number in the whole result; a detail row's label under
// 发票号 (paper) or 电子发票号 (electronic), its amounts and total; "合计" and the
// payment-method rows show label, method (right before the last column) and total.
DrawnRow drawParkingRow(const ParkingRow& row, int number, int valueColumns);

// 序, 发票号, 电子发票号, the value columns and 合计.
using ParkingResult = RowsResult<ParkingRow, drawParkingRow, 4>;

}  // namespace tally::reports::parking
