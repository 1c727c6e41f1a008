#include "ItemColumnsSql.h"

#include "SqlText.h"

namespace tally::reports {

using data::sqlIdentifier;

std::string netColumnName(const FeeItemSplit& item) {
    return item.isParking() ? item.cleanedName + "KFS" : item.cleanedName;
}

std::string propertyColumnName(const FeeItemSplit& item) { return item.cleanedName + "WY"; }

std::string taxColumnName(const FeeItemSplit& item) { return item.cleanedName + "税额"; }

std::string netAlias(const FeeItemSplit& item) { return sqlIdentifier(netColumnName(item)); }

std::string propertyAlias(const FeeItemSplit& item) { return sqlIdentifier(propertyColumnName(item)); }

std::string taxAlias(const FeeItemSplit& item) { return sqlIdentifier(taxColumnName(item)); }

}  // namespace tally::reports
