#include "CompleteReconciliation.h"

#include <vector>

#include "ReconciliationHeadings.h"

namespace tally::reports::reconciliation {

void CompleteReconciliation(ReconciliationTable& table, int itemCount) {
    const ReconciliationColumns col{itemCount};
    std::vector<Cents> total(col.count(), 0);

    for (int r = ReconciliationTable::kHeadingRows; r < table.rowCount(); ++r) {
        if (table.text(r, col.kRate) != kSubtotalMark) continue;
        auto v = [&](int c) { return table.value(r, c); };
        Cents difference = v(3) + v(4) + v(5) + v(6) + v(7) - v(col.handOverTotal()) + v(col.collectedPreInvoiced()) -
                           v(col.uncollectedPreInvoiced());
        table.setCell(r, col.difference(), formatCents(difference), kSubtotalColour);
        for (int c = col.kSpecialNet; c <= col.uncollectedPreInvoiced(); ++c) total[c] += v(c);
    }

    Cents invoiced = 0;
    for (int c = col.kSpecialNet; c <= col.kReceipt; ++c) invoiced += total[c];
    if (invoiced == 0) return;

    int r = table.appendRow();
    table.setText(r, col.kNumber, ReconciliationTable::runningNumber(r));
    table.setText(r, col.kMonth, kTotalMark);
    for (int c = col.kSpecialNet; c <= col.uncollectedPreInvoiced(); ++c)
        table.setCell(r, c, formatCents(total[c]), kTotalColour);
}

int MonthsWithDifference(const ReconciliationTable& table) {
    const int difference = table.columnCount() - 2;
    if (difference < ReconciliationColumns::kRate) return 0;
    int months = 0;
    for (int r = ReconciliationTable::kHeadingRows; r < table.rowCount(); ++r)
        if (table.text(r, ReconciliationColumns::kRate) == kSubtotalMark && table.value(r, difference) != 0) ++months;
    return months;
}

}  // namespace tally::reports::reconciliation
