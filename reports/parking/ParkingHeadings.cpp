#include "ParkingHeadings.h"

#include "Money.h"

namespace tally::reports::parking {
namespace {

constexpr int kFrozenColumns = 3;

HeadingLayout withInvoiceColumns() {
    HeadingLayout layout;
    layout.frozenColumns = kFrozenColumns;
    layout.addColumn("序", "序", 800, true);
    layout.addColumn("发票号", "发票号", 2500, true);
    layout.addColumn("电子发票号", "电子发票号", 2500, true);
    return layout;
}

}  // namespace

HeadingLayout SetupParkingGrid() {
    HeadingLayout layout = withInvoiceColumns();
    layout.addColumn("合计", "合计", 1400, true);
    return layout;
}

HeadingLayout LayoutParkingHeadings(const FeeItemList& items, const SplitRatioRows& splits) {
    HeadingLayout layout = withInvoiceColumns();
    for (const auto& item : items) {
        const SplitRatioRow* split = findSplitRow(splits, item.code);
        // Without a split row the run is refused; the columns still line up.
        layout.addColumn(item.cleanedName, split ? "开发商" + split->developerText + "%" : "", 1400, false);
        layout.addColumn(item.cleanedName, split ? "物业" + split->propertyText + "%" : "", 1400, false);
        layout.addColumn(item.cleanedName, "税额" + decimalText(item.taxRate * 100) + "%", 1400, false);
    }
    layout.addColumn("合计", "合计", 1400, true);
    return layout;
}

}  // namespace tally::reports::parking
