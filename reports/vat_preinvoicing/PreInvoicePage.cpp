#include "PreInvoicePage.h"

#include <string>

namespace tally::reports::preinvoice {

DrawnRow drawPreInvoiceRow(const PreInvoiceRow& row, int number, int valueColumns) {
    const int v = valueColumns;
    DrawnRow drawn;
    drawn.cells.resize(v + 7);
    drawn.cells[0] = {std::to_string(number), CellAlign::Centre};
    drawn.cells[1] = {row.dateLabel, CellAlign::Centre};
    drawn.cells[2] = {row.specialNumber, CellAlign::Centre};
    drawn.cells[3] = {row.ordinaryNumber, CellAlign::Centre};
    for (int k = 0; k < v; ++k)
        drawn.cells[4 + k] = {formatCents(k < static_cast<int>(row.amounts.size()) ? row.amounts[k] : 0),
                              CellAlign::Right};
    drawn.cells[v + 4] = {formatCents(row.total), CellAlign::Right};
    drawn.cells[v + 5] = {row.paymentText, CellAlign::General};
    drawn.cells[v + 6] = {row.payerText, CellAlign::Left};
    if (!row.payerText.empty()) drawn.wrapColumn = v + 6;
    return drawn;
}

}  // namespace tally::reports::preinvoice
