#pragma once
// The result grid headings of the parking-fee detail report.
#include "FeeItems.h"
#include "Headings.h"

namespace tally::reports::parking {

// When the window opens: 序 | 发票号 | 电子发票号 | 合计, each two rows high.
HeadingLayout SetupParkingGrid();

// After an extraction and before each run: each item's name over its three columns
// (开发商70% | 物业30% | 税额9%), then 合计. The percentages are the split row's texts.
HeadingLayout LayoutParkingHeadings(const FeeItemList& items, const SplitRatioRows& splits);

}  // namespace tally::reports::parking
