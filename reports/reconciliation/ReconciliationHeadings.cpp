#include "ReconciliationHeadings.h"

namespace tally::reports::reconciliation {

HeadingLayout reconciliationHeadingLayout(const ReconciliationFeeItems& items) {
    HeadingLayout h;
    h.addColumn("序", "序", 500, true);
    h.addColumn("开票年月", "开票年月", 900, true);
    h.addColumn("税率", "税率", 600, true);
    h.addColumn("增值税专用发票", "金额", 1300, false);
    h.addColumn("增值税专用发票", "税额", 1200, false);
    h.addColumn("增值税普通发票", "金额", 1300, false);
    h.addColumn("增值税普通发票", "税额", 1200, false);
    h.addColumn("收据", "金额", 1200, false);
    for (const auto& item : items) h.addColumn("财务交账", item.name, 1200, false);
    h.addColumn("财务交账", "小计", 1200, false);
    h.addColumn("当月收预开票", "金额", 1200, false);
    h.addColumn("当月未收预开", "金额", 1200, false);
    h.addColumn("核对结果", "差额", 1200, true);
    h.addColumn("备注", "备注", 1600, true);
    h.downMergeRestrictedByLeft = true;
    h.frozenColumns = ReconciliationTable::kFrozenColumns;
    return h;
}

void SetInitialReconciliationHeadings(ReconciliationTable& table) { table.layOut(reconciliationHeadingLayout({})); }

void SetReconciliationHeadings(ReconciliationTable& table, const ReconciliationFeeItems& items) {
    table.layOut(reconciliationHeadingLayout(items));
}

}  // namespace tally::reports::reconciliation
