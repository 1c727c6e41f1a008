#pragma once
// Heading columns the detail reports share, so a column reads the same in every report.
#include <string>

#include "FeeItems.h"
#include "Headings.h"

namespace tally::reports {

// 序 | 开票日期 | 增值税发票 over 专用发票 and 普通发票: the first columns of both VAT reports.
void addInvoiceDateColumns(HeadingLayout& layout);

// 合计 | 收款方式 | 付款人: the last columns of both VAT reports.
void addPaymentColumns(HeadingLayout& layout, int payerWidthTwips);

// "税额9%": the heading of an item's tax column.
std::string taxHeading(const FeeItemSplit& item);

// A parking item's name over "开发商70%" and "物业30%", the split row's texts. Without a
// split row both are empty: the run is then refused, but the columns still line up.
void addShareColumns(HeadingLayout& layout, const FeeItemSplit& item, const SplitRatioRows& splits, int widthTwips);

}  // namespace tally::reports
