#include "ParkingStatements.h"

#include "ExtractionSql.h"
#include "ItemSumsSql.h"
#include "LineListSql.h"
#include "PeriodRanges.h"
#include "SqlText.h"

namespace tally::reports::parking {
namespace {

using data::escapeSqlText;

const char* const kLineSource =
    " From 票据"
    " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = 票据开票数据.入库单编号"
    " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号";

// The lines the per-invoice sums read, and the drill-down lists.
const char* const kItemLineJoins =
    " From 票据开票数据"
    " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号"
    " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号";

std::string departmentTest(const std::string& departmentCode) {
    return " And 票据.开票部门编号 ='" + escapeSqlText(departmentCode) + "'";
}

}  // namespace

std::string parkingExtractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                       const std::string& toKey) {
    return feeItemsOfLines("setupsfxm.税率", kLineSource,
                           departmentTest(departmentCode) + dayRange("票据.开票日期", fromKey, toKey) +
                               " And CONVERT(char(8),票据.开票日期,112) between '" + escapeSqlText(fromKey) +
                               "' and '" + escapeSqlText(toKey) + "'" + " and 票据.作废日期 is null ",
                           "", " And 收费类别 Like '%停车%'");
}

std::string parkingItemSums(const ParkingStatementInput& in) {
    std::string q = "Select 票据开票数据.票据编号, 票据开票数据.入库单编号";
    for (std::size_t i = 0; i < in.items.size(); ++i) {
        const FeeItemSplit& item = in.items[i];
        q += ", Sum(" + onItemLines(item, "(" + lineNet() + ") * " + in.ratios.at(i)) + ") As " + sumColumn('P', i);
        q += ", Sum(" + onItemLines(item, lineNet()) + ") As " + sumColumn('N', i);
        q += ", Sum(" + onItemLines(item, "票据开票数据.税额") + ") As " + sumColumn('T', i);
    }
    return q + kItemLineJoins + " Where 1=1" + parkingLineConditions(in) +
           " group by 票据开票数据.票据编号, 票据开票数据.入库单编号";
}

std::string parkingLineConditions(const ParkingStatementInput& in) {
    return departmentTest(in.departmentCode) + dayRange("票据.收款日期", in.fromKey, in.toKey) +
           " And Convert(Char(8),票据.收款日期,112) Between '" + escapeSqlText(in.fromKey) + "' And '" +
           escapeSqlText(in.toKey) + "'" + " And 票据.作废日期 Is Null" + " And " +
           inListTest("票据开票数据.收费项目代号", itemCodeList(in.items));
}

std::string parkingLinesStatement(const ParkingStatementInput& in) {
    // The type is only shown: a left join keeps a line whose batch names no type, as the sums do.
    return lineListColumns() + kItemLineJoins +
           " Left Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号 Where 1=1" +
           parkingLineConditions(in);
}

std::string parkingStatisticsStatement(const ParkingStatementInput& in) {
    std::string q =
        "Select 票据.票据编号 ,票据.入库单编号 ,  票据.收款日期, 票据.金额, 票据.收款方式, 票据.交易订单号 ";
    q += sumSelectList(in.items);
    q += fromItemSums(parkingItemSums(in)) + " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号";
    q += " Where 1=1" + departmentTest(in.departmentCode) + " And (" + sumPresenceTest(in.items) + ")";
    q += " Order by 票据.收款日期, 票据.入库单编号, 票据.票据编号, 票据.金额 ";
    return q;
}

}  // namespace tally::reports::parking
