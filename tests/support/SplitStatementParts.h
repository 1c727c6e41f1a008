#pragma once
// What the statements of the split-ratio reports (parking, pre-invoicing) are checked
// against in both.
#include <string>

#include "FeeItems.h"

namespace tally::testing {

// The parking item P01 at 9 %.
inline const reports::FeeItemSplit kParking{"P01", "停车费", 0.09, "停车收费", "停车费税额"};

// A line's amount without its tax, a Null tax counting as none.
inline const std::string kNet =
    "票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)";

}  // namespace tally::testing
