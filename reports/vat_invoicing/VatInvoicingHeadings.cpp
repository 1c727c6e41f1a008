#include "VatInvoicingHeadings.h"

#include "InvoiceHeadings.h"

namespace tally::reports::vat {

HeadingLayout LayoutResultHeadings(const FeeItemList& items, const SplitRatioRows& splits) {
    HeadingLayout h;
    addInvoiceDateColumns(h);
    h.addColumn("增值税发票", "电子发票", 1200, false);
    h.addColumn("收据", "收据", 2000, true);
    // The columns before the fee items stay in view while the items scroll.
    h.frozenColumns = h.columnCount();
    for (const auto& item : items) {
        if (item.isParking()) {
            // Unlike the other reports, a missing split row still reads "开发商%" and "物业%".
            const SplitRatioRow* split = findSplitRow(splits, item.code);
            h.addColumn(item.cleanedName, "开发商" + (split ? split->developerText : "") + "%", 1200, false);
            h.addColumn(item.cleanedName, "物业" + (split ? split->propertyText : "") + "%", 1200, false);
        } else {
            h.addColumn(item.cleanedName, "金额", 1200, false);
        }
        h.addColumn(item.cleanedName, taxHeading(item), 1200, false);
    }
    addPaymentColumns(h, items.empty() ? 1200 : 3800);
    return h;
}

}  // namespace tally::reports::vat
