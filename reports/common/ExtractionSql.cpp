#include "ExtractionSql.h"

namespace tally::reports {

std::string feeItemsOfLines(const std::string& rateColumn, const std::string& lineSource,
                            const std::string& lineConditions, const std::string& itemJoins,
                            const std::string& itemConditions) {
    return "Select distinct C.收费项目代号, " + rateColumn + ",XM , 收费类别,显示名称" +
           " From (Select Distinct 票据开票数据.收费项目代号" + lineSource + " Where 1=1" + lineConditions + ") C" +
           " inner join setupsfxm on C.收费项目代号=dh" + itemJoins + " Where 1=1" + itemConditions + " group by  " +
           rateColumn + ",C.收费项目代号,xm,收费类别,显示名称" + " order by C.收费项目代号";
}

}  // namespace tally::reports
