#include "PrintTable.h"

#include <numeric>

#include "SheetError.h"

namespace tally::pdf {

int PrintTable::tableWidthTwips() const { return std::accumulate(widthsTwips.begin(), widthsTwips.end(), 0); }

std::string PrintTable::rightmostHeading() const {
    for (int c = columnCount() - 1; c >= 0; --c) {
        if (c < static_cast<int>(headingRow1.size()) && !headingRow1[c].empty()) return headingRow1[c];
        if (c < static_cast<int>(headingRow0.size()) && !headingRow0[c].empty()) return headingRow0[c];
    }
    return "";
}

void checkPrintTable(const PrintTable& table) {
    const auto columns = table.widthsTwips.size();
    bool widthsPositive = true;
    for (int w : table.widthsTwips) widthsPositive = widthsPositive && w > 0;
    if (columns == 0 || table.headingRow0.size() != columns || table.headingRow1.size() != columns || !widthsPositive ||
        table.rowCount < 0 || (table.rowCount > 0 && !table.row))
        throw sheet::SheetError(sheet::sheet_errors::kBadCell, "表头与统计结果的列数不一致，请重新统计后再打印");
}

}  // namespace tally::pdf
