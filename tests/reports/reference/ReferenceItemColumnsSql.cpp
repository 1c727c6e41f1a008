#include "ReferenceItemColumnsSql.h"

#include "SqlText.h"

namespace tally::reference {

using data::escapeSqlText;
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
        const std::string b = reference::itemTableName(i) + ".";
        s += " ," + b + reference::netAlias(items[i]);
        if (items[i].isParking()) s += " ," + b + reference::propertyAlias(items[i]);
        s += " , " + b + reference::taxAlias(items[i]);
    }
    return s;
}

std::string itemJoin(std::size_t index, const std::string& derivedTable) {
    const std::string b = reference::itemTableName(index);
    return " LEFT Join (" + derivedTable + ") " + b + " On 票据.票据编号 = " + b +
           ".票据编号 And 票据.入库单编号 = " + b + ".入库单编号";
}

std::string itemPresenceTest(const FeeItemList& items) {
    std::string test;
    for (std::size_t i = 0; i < items.size(); ++i)
        test += (i ? " Or " : "") + reference::itemTableName(i) + "." + reference::netAlias(items[i]) + " Is Not Null";
    return test;
}

std::string departmentItemFilter(const std::string& departmentCode, const FeeItemList& items) {
    return " Where 票据.开票部门编号 ='" + escapeSqlText(departmentCode) + "'" + " And (" +
           reference::itemPresenceTest(items) + ")";
}

}  // namespace tally::reference
