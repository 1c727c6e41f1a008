#pragma once
// The bracket-quoted column aliases of a fee item in the detail reports' rows.
#include <string>

#include "FeeItems.h"

namespace tally::reports {

// [nameKFS] for a parking item (its whole net amount), [name] for any other item.
std::string netAlias(const FeeItemSplit& item);
// [nameWY]: the property share of a parking item.
std::string propertyAlias(const FeeItemSplit& item);
// [name税额], built from the name so an item without a name still gets a legal alias.
std::string taxAlias(const FeeItemSplit& item);

}  // namespace tally::reports
