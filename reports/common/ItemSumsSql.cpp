#include "ItemSumsSql.h"

#include "ItemColumnsSql.h"
#include "SqlText.h"

namespace tally::reports {

std::string lineNet(const std::string& lines) {
    return lines + ".金额-(Case When " + lines + ".税额 Is Null Then 0 Else " + lines + ".税额 End)";
}

std::string sumColumn(char kind, std::size_t index) { return kind + std::to_string(index + 1); }

std::string onItemLines(const FeeItemSplit& item, const std::string& value, const std::string& lines) {
    return "Case When " + lines + ".收费项目代号 In (" + inListBody(item.quotedCode()) + ") Then " + value + " End";
}

std::string itemCodeList(const FeeItemList& items) {
    std::string list;
    for (const auto& item : items) {
        if (item.quotedCode().empty()) continue;
        if (!list.empty()) list += ",";
        list += item.quotedCode();
    }
    return inListBody(list);
}

std::string inListTest(const std::string& column, const std::string& quotedValues) {
    return "Coalesce(" + column + ", Null) In (" + inListBody(quotedValues) + ")";
}

std::string fromItemSums(const std::string& aggregate) {
    return " From (" + aggregate +
           ") L Inner Join 票据 On 票据.票据编号 = L.票据编号 And 票据.入库单编号 = L.入库单编号";
}

std::string sumPresenceTest(const FeeItemList& items) {
    std::string test;
    for (std::size_t i = 0; i < items.size(); ++i) test += (i ? " Or L." : "L.") + sumColumn('N', i) + " Is Not Null";
    return test;
}

std::string sumSelectList(const FeeItemList& items) {
    std::string s;
    for (std::size_t i = 0; i < items.size(); ++i) {
        s += " ,L." + sumColumn('N', i) + " As " + netAlias(items[i]);
        if (items[i].isParking()) s += " ,L." + sumColumn('P', i) + " As " + propertyAlias(items[i]);
        s += " , L." + sumColumn('T', i) + " As " + taxAlias(items[i]);
    }
    return s;
}

}  // namespace tally::reports
