#pragma once
// The two heading rows of the reconciliation table: n + 13 columns for n fee items.
#include "Headings.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationTable.h"

namespace tally::reports::reconciliation {

// Column positions for n fee items (item k, from 1, is column 7 + k).
struct ReconciliationColumns {
    int itemCount = 0;
    static constexpr int kNumber = 0, kMonth = 1, kRate = 2;
    static constexpr int kSpecialNet = 3, kSpecialTax = 4, kOrdinaryNet = 5, kOrdinaryTax = 6, kReceipt = 7;
    int item(int k) const { return 7 + k; }
    int handOverTotal() const { return itemCount + 8; }
    int collectedPreInvoiced() const { return itemCount + 9; }
    int uncollectedPreInvoiced() const { return itemCount + 10; }
    int difference() const { return itemCount + 11; }
    int remark() const { return itemCount + 12; }
    int count() const { return itemCount + 13; }
};

// Texts, widths in twips and merges; columns 0 to 2 are frozen. A column that
// merges down does so only where the columns to its left do too, so the two
// "备注" cells stay apart.
HeadingLayout reconciliationHeadingLayout(const ReconciliationFeeItems& items);

// The empty 13-column table of a window that has not run yet.
void SetInitialReconciliationHeadings(ReconciliationTable& table);
// The empty table for `items`.
void SetReconciliationHeadings(ReconciliationTable& table, const ReconciliationFeeItems& items);

}  // namespace tally::reports::reconciliation
