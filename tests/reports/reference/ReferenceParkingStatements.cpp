#include "ReferenceParkingStatements.h"

#include "ReferenceItemColumnsSql.h"
#include "SqlText.h"

namespace tally::reference::parking {
namespace {

using data::escapeSqlText;

const char* const kNet = "票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)";

}  // namespace

std::string parkingExtractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                       const std::string& toKey) {
    return std::string("Select distinct 收费项目代号, setupsfxm.税率,XM , 收费类别,显示名称") + " From 票据" +
           " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
           "票据开票数据.入库单编号" +
           " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号" +
           " inner join setupsfxm on 收费项目代号=dh" + " where CONVERT(char(8),开票日期,112) between '" +
           escapeSqlText(fromKey) + "' and '" + escapeSqlText(toKey) + "'" + " and 作废日期 is null " +
           " And 开票部门编号 ='" + escapeSqlText(departmentCode) + "'" + " And 收费类别 Like '%停车%'" +
           " group by  setupsfxm.税率,收费项目代号,xm,收费类别,显示名称" + " order by 收费项目代号";
}

std::string parkingItemStatement(const ParkingStatementInput& in, std::size_t i) {
    const FeeItemSplit& item = in.items.at(i);
    return "Select sum((" + std::string(kNet) + ") * " + in.ratios.at(i) + ") as " + reference::propertyAlias(item) +
           "," + " sum(" + kNet + ") As " + reference::netAlias(item) + "," + " sum(票据开票数据.税额) as " +
           reference::taxAlias(item) + ", 票据开票数据.票据编号, 票据开票数据.入库单编号" + " From 票据开票数据" +
           " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号" +
           " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号" + " Where 作废日期 Is Null " +
           " And Convert(Char(8),收款日期,112) Between '" + escapeSqlText(in.fromKey) + "' And '" +
           escapeSqlText(in.toKey) + "'" + " And 收费项目代号 in (" + inListBody(item.quotedCode()) + ")" +
           " And 开票部门编号 ='" + escapeSqlText(in.departmentCode) + "'" +
           " group by 票据开票数据.票据编号, 票据开票数据.入库单编号 ";
}

std::string parkingStatisticsStatement(const ParkingStatementInput& in) {
    std::string q = "Select 票据.票据编号 ,票据.入库单编号 ,  收款日期, 票据.金额, 收款方式, 交易订单号 ";
    q += reference::itemSelectList(in.items);
    q += std::string(" From 票据") + " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号";
    for (std::size_t i = 0; i < in.items.size(); ++i)
        q += reference::itemJoin(i, reference::parking::parkingItemStatement(in, i));
    q += reference::departmentItemFilter(in.departmentCode, in.items);
    q += " Order by 收款日期, 票据.入库单编号, 票据.票据编号, 金额 ";
    return q;
}

}  // namespace tally::reference::parking
