#include "VatInvoicingHeadings.h"

#include "Money.h"

namespace tally::reports::vat {

HeadingLayout LayoutResultHeadings(const FeeItemList& items, const SplitRatioRows& splits) {
    HeadingLayout h;
    h.frozenColumns = 6;
    h.addColumn("序", "序", 500, true);
    h.addColumn("开票日期", "开票日期", 1200, true);
    h.addColumn("增值税发票", "专用发票", 1200, false);
    h.addColumn("增值税发票", "普通发票", 1200, false);
    h.addColumn("增值税发票", "电子发票", 1200, false);
    h.addColumn("收据", "收据", 2000, true);
    for (const auto& item : items) {
        std::string taxHeading = "税额" + decimalText(item.taxRate * 100) + "%";
        if (item.isParking()) {
            const SplitRatioRow* split = findSplitRow(splits, item.code);
            h.addColumn(item.cleanedName, "开发商" + (split ? split->developerText : "") + "%", 1200, false);
            h.addColumn(item.cleanedName, "物业" + (split ? split->propertyText : "") + "%", 1200, false);
        } else {
            h.addColumn(item.cleanedName, "金额", 1200, false);
        }
        h.addColumn(item.cleanedName, taxHeading, 1200, false);
    }
    h.addColumn("合计", "合计", 1400, true);
    h.addColumn("收款方式", "收款方式", 900, true);
    h.addColumn("付款人", "付款人", items.empty() ? 1200 : 3800, true);
    return h;
}

}  // namespace tally::reports::vat
