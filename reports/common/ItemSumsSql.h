#pragma once
// The per-invoice aggregate of the detail reports: the selected invoices' lines read once
// and summed per invoice (number and stock-in batch) with one conditional sum per fee item,
//   Sum(Case When 票据开票数据.收费项目代号 In ('F01') Then <value> End) As N1,
// joined back to 票据 by number and batch. Its cost follows the invoices selected, and
// a join holds two tables whatever the number of items.
//
// Columns are named by the item's position (N1 net, P1 property share, T1 tax, Z1
// presence), so items with equal or odd names cannot clash inside the aggregate; the
// outer select list gives them the items' own aliases ([停车费KFS], [停车费WY], [停车费税额]).
#include <cstddef>
#include <string>

#include "FeeItems.h"

namespace tally::reports {

// A line's amount less its tax (no tax counts as 0); `lines` names the table of lines.
std::string lineNet(const std::string& lines = "票据开票数据");

// Column of item `index` (from 0) in the aggregate: kind 'N', 'P', 'T' or 'Z' -> "N1".
std::string sumColumn(char kind, std::size_t index);
// "Case When 票据开票数据.收费项目代号 In ('F01') Then <value> End": the value on the item's lines, Null on others.
std::string onItemLines(const FeeItemSplit& item, const std::string& value, const std::string& lines = "票据开票数据");
// Every item's code: the lines the aggregate reads ("NULL" when no item has one).
std::string itemCodeList(const FeeItemList& items);
// "Coalesce(<column>, Null) In (<values>)": the rows of the listed fee-item codes or invoice
// types. Coalesce with Null changes no value; it keeps the engine from seeking every listed
// value on every invoice (hundreds of items made that cost grow with the items; the types'
// list, carried over a join, cost five seeks per invoice) and has it test each row once.
std::string inListTest(const std::string& column, const std::string& quotedValues);
// " From (<aggregate>) L Inner Join 票据 On 票据.票据编号 = L.票据编号 And 票据.入库单编号 = L.入库单编号"
std::string fromItemSums(const std::string& aggregate);
// "L.N1 Is Not Null Or L.N2 Is Not Null": the invoice has lines of at least one item.
std::string sumPresenceTest(const FeeItemList& items);
// " ,L.N1 As [停车费KFS] ,L.P1 As [停车费WY] , L.T1 As [停车费税额] ,L.N2 As [物业费] , L.T2 As [物业费税额]"
std::string sumSelectList(const FeeItemList& items);

}  // namespace tally::reports
