#include "ReconciliationGridRows.h"

namespace tally::reportui {

using reports::reconciliation::CellAlignment;
using reports::reconciliation::ReconciliationTable;

std::vector<reports::DrawnRow> reconciliationGridRows(const ReconciliationTable& table) {
    std::vector<reports::DrawnRow> rows;
    for (int r = ReconciliationTable::kHeadingRows; r < table.rowCount(); ++r) {
        reports::DrawnRow row;
        for (int c = 0; c < table.columnCount(); ++c) {
            const auto& cell = table.cell(r, c);
            const auto align =
                table.alignment(r, c) == CellAlignment::Centre ? reports::CellAlign::Centre : reports::CellAlign::Right;
            row.cells.push_back({cell.text, align, cell.colour});
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tally::reportui
