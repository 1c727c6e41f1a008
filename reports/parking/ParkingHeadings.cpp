#include "ParkingHeadings.h"

#include "InvoiceHeadings.h"

namespace tally::reports::parking {
namespace {

// The columns before the fee items; they stay in view while the items scroll.
HeadingLayout withInvoiceColumns() {
    HeadingLayout layout;
    layout.addColumn("序", "序", 800, true);
    layout.addColumn("发票号", "发票号", 2500, true);
    layout.addColumn("电子发票号", "电子发票号", 2500, true);
    layout.frozenColumns = layout.columnCount();
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
        addShareColumns(layout, item, splits, 1400);
        layout.addColumn(item.cleanedName, taxHeading(item), 1400, false);
    }
    layout.addColumn("合计", "合计", 1400, true);
    return layout;
}

}  // namespace tally::reports::parking
