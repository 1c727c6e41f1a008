#pragma once
// The result grid headings of the VAT pre-invoicing detail report.
#include "FeeItems.h"
#include "Headings.h"

namespace tally::reports::preinvoice {

// When the window opens: 序 | 开票日期 | 增值税发票 (专用发票, 普通发票) | 合计 | 收款方式 | 付款人.
HeadingLayout SetupPreInvoiceGrid();

// After an extraction and before each run: the invoice columns, each item's name over
// its columns (开发商70% | 物业30% | 税额9% for a parking item, 金额 | 税额6% for any
// other), then 合计, 收款方式 and 付款人.
HeadingLayout LayoutPreInvoiceHeadings(const FeeItemList& items, const SplitRatioRows& splits);

}  // namespace tally::reports::preinvoice
