#include "ReferencePreInvoiceStatements.h"

#include "ReferenceItemColumnsSql.h"
#include "SqlText.h"

namespace tally::reference::preinvoice {
namespace {

using data::escapeSqlText;

const char* const kNet = "票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)";

// Not collected by the period's last day: collected later, or not at all whatever 预开 says.
std::string uncollectedCondition(const std::string& toKey, const char* lastNullTest) {
    return " And (convert(char(8),收款日期,112) > '" + escapeSqlText(toKey) + "' Or (收款日期 is null and 预开=1) Or " +
           lastNullTest + ")";
}

}  // namespace

std::string preInvoiceExtractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                          const std::string& toKey, const std::string& invoiceTypeList) {
    return std::string("Select distinct 收费项目代号, setupsfxm.税率,XM , 收费类别,显示名称") + " From 票据" +
           " inner join 票据开票数据 on 票据.票据编号  = 票据开票数据.票据编号 And 票据.入库单编号 = "
           "票据开票数据.入库单编号 " +
           " inner join 票据入库单 on 票据.入库单编号 = 票据入库单.入库单编号" +
           " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号" +
           " inner join setupsfxm on 收费项目代号=dh" + " where CONVERT(char(8),开票日期,112) between '" +
           escapeSqlText(fromKey) + "' and '" + escapeSqlText(toKey) + "'" +
           uncollectedCondition(toKey, "收款日期 Is Null") + " and 作废日期 is null " + " And 开票部门编号 ='" +
           escapeSqlText(departmentCode) + "'" + " And 票据类型代号 In (" + inListBody(invoiceTypeList) + ")" +
           " group by  setupsfxm.税率,收费项目代号,xm,收费类别,显示名称" + " order by 收费项目代号";
}

std::string preInvoiceItemStatement(const PreInvoiceStatementInput& in, std::size_t i) {
    const FeeItemSplit& item = in.items.at(i);
    std::string s;
    if (item.isParking())
        s = "Select SUM(" + std::string(kNet) + ") * " + in.ratios.at(i) + " as " + reference::propertyAlias(item) +
            "," + " SUM(" + kNet + ") As " + reference::netAlias(item) + "," + " SUM(票据开票数据.税额) as " +
            reference::taxAlias(item) + ", 票据开票数据.票据编号";
    else
        s = "Select SUM(" + std::string(kNet) + ") as " + reference::netAlias(item) + " ,SUM(票据开票数据.税额) as " +
            reference::taxAlias(item) + ", 票据开票数据.票据编号";
    return s + ", 票据开票数据.入库单编号" + " From 票据开票数据" +
           " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号" +
           " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号" +
           " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号" + " Where 作废日期 Is Null" +
           " And Convert(Char(8),开票日期,112) Between '" + escapeSqlText(in.fromKey) + "' And '" +
           escapeSqlText(in.toKey) + "'" + uncollectedCondition(in.toKey, "收款日期 is null") +
           " And 收费项目代号 in (" + inListBody(item.quotedCode()) + ")" + " And 开票部门编号 ='" +
           escapeSqlText(in.departmentCode) + "'" + " And 票据类型代号 In (" + inListBody(in.invoiceTypeList) + ")" +
           " Group by 票据开票数据.票据编号, 票据开票数据.入库单编号";
}

std::string preInvoiceStatisticsStatement(const PreInvoiceStatementInput& in) {
    std::string q =
        "Select 票据.票据编号 ,票据.入库单编号 , 票据类型.票据类型 ,开票日期, 收款日期, 作废日期, 票据.金额, "
        "收款方式, 付款人, 地址 ";
    q += reference::itemSelectList(in.items);
    q += std::string(" From 票据") + " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号" +
         " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";
    for (std::size_t i = 0; i < in.items.size(); ++i)
        q += reference::itemJoin(i, reference::preinvoice::preInvoiceItemStatement(in, i));
    q += reference::departmentItemFilter(in.departmentCode, in.items);
    q += " Order by 票据.开票日期,票据编号";
    return q;
}

}  // namespace tally::reference::preinvoice
