#include "PreInvoiceHeadings.h"

#include "InvoiceHeadings.h"

namespace tally::reports::preinvoice {
namespace {

// The columns before the fee items; they stay in view while the items scroll.
HeadingLayout withInvoiceColumns() {
    HeadingLayout layout;
    addInvoiceDateColumns(layout);
    layout.frozenColumns = layout.columnCount();
    return layout;
}

}  // namespace

HeadingLayout SetupPreInvoiceGrid() {
    HeadingLayout layout = withInvoiceColumns();
    addPaymentColumns(layout, 1200);
    return layout;
}

HeadingLayout LayoutPreInvoiceHeadings(const FeeItemList& items, const SplitRatioRows& splits) {
    HeadingLayout layout = withInvoiceColumns();
    for (const auto& item : items) {
        if (item.isParking()) addShareColumns(layout, item, splits, 1200);
        else layout.addColumn(item.cleanedName, "金额", 1200, false);
        layout.addColumn(item.cleanedName, taxHeading(item), 1200, false);
    }
    addPaymentColumns(layout, 3800);
    return layout;
}

}  // namespace tally::reports::preinvoice
