#pragma once
// Result grid headings of the VAT invoicing window: 9 columns, or V + 9 with fee items.
#include "FeeItems.h"
#include "Headings.h"

namespace tally::reports::vat {

// Without items (window opening) pass an empty list.
HeadingLayout LayoutResultHeadings(const FeeItemList& items, const SplitRatioRows& splits);

}  // namespace tally::reports::vat
