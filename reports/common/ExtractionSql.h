#pragma once
// The extraction statements' common shape: the fee items on the selected lines.
//
// The lines' distinct codes come first (one pass over the selection), the fee-item rows
// after: the item table is then joined once per code, not once per line, and the
// grouping by rate, name, category and display name runs over a handful of rows.
#include <string>

namespace tally::reports {

// Rows 收费项目代号, <rateColumn>, XM, 收费类别, 显示名称 in code order. `lineSource` is the
// From clause over 票据 and 票据开票数据 (" From 票据 inner join 票据开票数据 on ..."),
// `lineConditions` its conditions (each starting " And "); `itemJoins` joins more tables
// after setupsfxm and `itemConditions` tests them (" And ...").
std::string feeItemsOfLines(const std::string& rateColumn, const std::string& lineSource,
                            const std::string& lineConditions, const std::string& itemJoins = "",
                            const std::string& itemConditions = "");

}  // namespace tally::reports
