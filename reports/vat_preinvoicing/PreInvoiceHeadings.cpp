#include "PreInvoiceHeadings.h"

#include "Money.h"

namespace tally::reports::preinvoice {
namespace {

constexpr int kFrozenColumns = 4;

HeadingLayout withInvoiceColumns() {
    HeadingLayout layout;
    layout.frozenColumns = kFrozenColumns;
    layout.addColumn("序", "序", 500, true);
    layout.addColumn("开票日期", "开票日期", 1200, true);
    layout.addColumn("增值税发票", "专用发票", 1200, false);
    layout.addColumn("增值税发票", "普通发票", 1200, false);
    return layout;
}

std::string taxHeading(const FeeItemSplit& item) { return "税额" + decimalText(item.taxRate * 100) + "%"; }

}  // namespace

HeadingLayout SetupPreInvoiceGrid() {
    HeadingLayout layout = withInvoiceColumns();
    layout.addColumn("合计", "合计", 1400, true);
    layout.addColumn("收款方式", "收款方式", 900, true);
    layout.addColumn("付款人", "付款人", 1200, true);
    return layout;
}

HeadingLayout LayoutPreInvoiceHeadings(const FeeItemList& items, const SplitRatioRows& splits) {
    HeadingLayout layout = withInvoiceColumns();
    for (const auto& item : items) {
        if (item.isParking()) {
            const SplitRatioRow* split = findSplitRow(splits, item.code);
            // Without a split row the run is refused; the columns still line up.
            layout.addColumn(item.cleanedName, split ? "开发商" + split->developerText + "%" : "", 1200, false);
            layout.addColumn(item.cleanedName, split ? "物业" + split->propertyText + "%" : "", 1200, false);
        } else {
            layout.addColumn(item.cleanedName, "金额", 1200, false);
        }
        layout.addColumn(item.cleanedName, taxHeading(item), 1200, false);
    }
    layout.addColumn("合计", "合计", 1400, true);
    layout.addColumn("收款方式", "收款方式", 900, true);
    layout.addColumn("付款人", "付款人", 3800, true);
    return layout;
}

}  // namespace tally::reports::preinvoice
