#pragma once
// The column names of a fee item in the detail reports' rows, and their bracket-quoted aliases.
#include <string>

#include "FeeItems.h"

namespace tally::reports {

// The columns' names: nameKFS for a parking item's whole net amount, name for any other
// item's; nameWY for a parking item's property share; name税额 for the tax.
std::string netColumnName(const FeeItemSplit& item);
std::string propertyColumnName(const FeeItemSplit& item);
std::string taxColumnName(const FeeItemSplit& item);

// [nameKFS] for a parking item (its whole net amount), [name] for any other item.
std::string netAlias(const FeeItemSplit& item);
// [nameWY]: the property share of a parking item.
std::string propertyAlias(const FeeItemSplit& item);
// [name税额], built from the name so an item without a name still gets a legal alias.
std::string taxAlias(const FeeItemSplit& item);

}  // namespace tally::reports
