#include "ItemColumnsSql.h"

#include "SqlText.h"

namespace tally::reports {

using data::sqlIdentifier;

std::string itemTableName(std::size_t index) { return "B" + std::to_string(index + 1); }

std::string netAlias(const FeeItemSplit& item) {
    return sqlIdentifier(item.isParking() ? item.cleanedName + "KFS" : item.cleanedName);
}

std::string propertyAlias(const FeeItemSplit& item) { return sqlIdentifier(item.cleanedName + "WY"); }

std::string taxAlias(const FeeItemSplit& item) { return sqlIdentifier(item.cleanedName + "税额"); }

std::string itemSelectList(const FeeItemList& items) {
    std::string s;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string b = itemTableName(i) + ".";
        s += " ," + b + netAlias(items[i]);
        if (items[i].isParking()) s += " ," + b + propertyAlias(items[i]);
        s += " , " + b + taxAlias(items[i]);
    }
    return s;
}

std::string itemJoin(std::size_t index, const std::string& derivedTable) {
    const std::string b = itemTableName(index);
    return " LEFT Join (" + derivedTable + ") " + b + " On 票据.票据编号 = " + b +
           ".票据编号 And 票据.入库单编号 = " + b + ".入库单编号";
}

std::string itemPresenceTest(const FeeItemList& items) {
    std::string test;
    for (std::size_t i = 0; i < items.size(); ++i)
        test += (i ? " Or " : "") + itemTableName(i) + "." + netAlias(items[i]) + " Is Not Null";
    return test;
}

}  // namespace tally::reports
