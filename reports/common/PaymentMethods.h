#pragma once
// Payment methods in the order the reports list them, and the split multipliers of a run.
#include <string>
#include <vector>

#include "Connection.h"
#include "FeeItems.h"
#include "ReportError.h"

namespace tally::reports {

// "Select * From 收款方式列表": the 收款方式 of every row, in the table's order, leaving
// out rows whose name is Null or empty. Throws DbError.
std::vector<std::string> LoadPaymentMethods(data::Connection& connection);

// The property share multiplier text of every item ("0.3"; "" for items that are not
// parking items). A parking item without a split row, or whose property percentage
// is not a number from 0 to 100, refuses the run with a message naming the item.
Outcome<std::vector<std::string>> propertyRatios(const FeeItemList& items, const SplitRatioRows& splits);

}  // namespace tally::reports
