#pragma once
// The statements as first built, kept to check that the program's statements give the same
// rows: the SQL pieces the detail reports built per fee item, one derived table B1, B2, ...
// per item, its bracket-quoted column aliases, the outer select list, the join by invoice
// number and stock-in batch, and the test that an invoice has lines of an item.
#include <cstddef>
#include <string>

#include "FeeItems.h"

namespace tally::reference {

using reports::FeeItemList;
using reports::FeeItemSplit;
using reports::inListBody;

// "B" and the item's position counted from 1.
std::string itemTableName(std::size_t index);

// [nameKFS] for a parking item (its whole net amount), [name] for any other item.
std::string netAlias(const FeeItemSplit& item);
// [nameWY]: the property share of a parking item.
std::string propertyAlias(const FeeItemSplit& item);
// [name税额], built from the name so an item without a name still gets a legal alias.
std::string taxAlias(const FeeItemSplit& item);

// " ,B1.[停车费KFS] ,B1.[停车费WY] , B1.[停车费税额] ,B2.[物业费] , B2.[物业费税额]" and so on.
std::string itemSelectList(const FeeItemList& items);
// " LEFT Join (derived) Bk On 票据.票据编号 = Bk.票据编号 And 票据.入库单编号 = Bk.入库单编号"
std::string itemJoin(std::size_t index, const std::string& derivedTable);
// "B1.[停车费KFS] Is Not Null Or B2.[物业费] Is Not Null": qualified, so equal names stay apart.
std::string itemPresenceTest(const FeeItemList& items);
// " Where 票据.开票部门编号 ='01' And (<itemPresenceTest>)": the department's invoices with
// lines of at least one item.
std::string departmentItemFilter(const std::string& departmentCode, const FeeItemList& items);

}  // namespace tally::reference
