#include "ParkingPage.h"

#include <string>

namespace tally::reports::parking {

DrawnRow drawParkingRow(const ParkingRow& row, int number, int valueColumns) {
    DrawnRow drawn;
    drawn.cells.resize(valueColumns + 4);
    drawn.cells[0] = {std::to_string(number), CellAlign::Centre};
    const int last = valueColumns + 3;
    drawn.cells[last] = {formatCents(row.total), CellAlign::Right};
    if (row.rowKind == ParkingRowKind::Detail) {
        drawn.cells[row.electronic ? 2 : 1] = {row.label, CellAlign::Centre};
        for (int k = 0; k < valueColumns && k < static_cast<int>(row.amounts.size()); ++k)
            drawn.cells[3 + k] = {formatCents(row.amounts[k]), CellAlign::Right};
    } else {
        drawn.cells[1] = {row.label, CellAlign::Centre};
        drawn.cells[last - 1] = {row.paymentMethod, CellAlign::Right};
    }
    return drawn;
}

}  // namespace tally::reports::parking
