#include "LineListSql.h"

#include "ItemSumsSql.h"
#include "SqlText.h"

namespace tally::reports {

std::string lineListColumns() {
    return "Select 票据.票据编号 As 票据编号, 票据.入库单编号 As 入库单编号, 票据类型.票据类型 As 类型,"
           " 票据.开票日期 As 开票日期, 票据.收款日期 As 收款日期, 票据.作废日期 As 作废日期, 票据.付款人 As 付款人,"
           " 票据开票数据.收费项目代号 As 收费项目代号, 票据开票数据.金额 As 金额, 票据开票数据.税额 As 税额, " +
           lineNet() + " As 净额, 票据.被换票票据编号 As 被换票票据编号, 票据.收款方式 As 收款方式";
}

std::string exchangesStatement(const std::string& departmentCode) {
    return "Select 票据.票据编号, 票据.入库单编号, 票据.被换票票据编号 From 票据 Where 票据.开票部门编号 = " +
           data::sqlTextLiteral(departmentCode) +
           " And 票据.被换票票据编号 Is Not Null Order by 票据.开票日期, 票据.票据编号, 票据.入库单编号";
}

}  // namespace tally::reports
