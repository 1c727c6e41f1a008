#include "InvoiceHeadings.h"

#include "Money.h"

namespace tally::reports {

void addInvoiceDateColumns(HeadingLayout& layout) {
    layout.addColumn("序", "序", 500, true);
    layout.addColumn("开票日期", "开票日期", 1200, true);
    layout.addColumn("增值税发票", "专用发票", 1200, false);
    layout.addColumn("增值税发票", "普通发票", 1200, false);
}

void addPaymentColumns(HeadingLayout& layout, int payerWidthTwips) {
    layout.addColumn("合计", "合计", 1400, true);
    layout.addColumn("收款方式", "收款方式", 900, true);
    layout.addColumn("付款人", "付款人", payerWidthTwips, true);
}

std::string taxHeading(const FeeItemSplit& item) { return "税额" + decimalText(item.taxRate * 100) + "%"; }

void addShareColumns(HeadingLayout& layout, const FeeItemSplit& item, const SplitRatioRows& splits, int widthTwips) {
    const SplitRatioRow* split = findSplitRow(splits, item.code);
    layout.addColumn(item.cleanedName, split ? "开发商" + split->developerText + "%" : "", widthTwips, false);
    layout.addColumn(item.cleanedName, split ? "物业" + split->propertyText + "%" : "", widthTwips, false);
}

}  // namespace tally::reports
