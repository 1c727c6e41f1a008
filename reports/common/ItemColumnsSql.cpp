#include "ItemColumnsSql.h"

#include "SqlText.h"

namespace tally::reports {

using data::sqlIdentifier;

std::string netAlias(const FeeItemSplit& item) {
    return sqlIdentifier(item.isParking() ? item.cleanedName + "KFS" : item.cleanedName);
}

std::string propertyAlias(const FeeItemSplit& item) { return sqlIdentifier(item.cleanedName + "WY"); }

std::string taxAlias(const FeeItemSplit& item) { return sqlIdentifier(item.cleanedName + "税额"); }

}  // namespace tally::reports
