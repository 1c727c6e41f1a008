#include "PreInvoiceStatements.h"

#include "ExtractionSql.h"
#include "ItemSumsSql.h"
#include "LineListSql.h"
#include "PeriodRanges.h"
#include "SqlText.h"

namespace tally::reports::preinvoice {
namespace {

using data::escapeSqlText;

// The lines the per-invoice sums read, and the drill-down lists.
const char* const kItemLineJoins =
    " From 票据开票数据"
    " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号"
    " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号"
    " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";

// Not collected by the period's last day: collected later, or not at all whatever 预开 says.
std::string uncollectedCondition(const std::string& toKey, const char* lastNullTest) {
    return " And (convert(char(8),票据.收款日期,112) > '" + escapeSqlText(toKey) +
           "' Or (票据.收款日期 is null and 票据.预开=1) Or " + lastNullTest + ")";
}

// Of the department, issued in the period (a range the department's index can seek, and
// the day keys), not voided and not collected by the period's last day.
std::string invoicesThatCount(const std::string& departmentCode, const std::string& fromKey, const std::string& toKey,
                              const char* lastNullTest) {
    return " And 票据.开票部门编号 ='" + escapeSqlText(departmentCode) + "'" +
           dayRange("票据.开票日期", fromKey, toKey) + " And CONVERT(char(8),票据.开票日期,112) between '" +
           escapeSqlText(fromKey) + "' and '" + escapeSqlText(toKey) + "'" + uncollectedCondition(toKey, lastNullTest) +
           " and 票据.作废日期 is null";
}

std::string typeCondition(const std::string& invoiceTypeList) {
    return " And " + inListTest("票据类型代号", invoiceTypeList);
}

}  // namespace

std::string preInvoiceExtractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                          const std::string& toKey, const std::string& invoiceTypeList) {
    return feeItemsOfLines(
        "setupsfxm.税率",
        " From 票据"
        " inner join 票据开票数据 on 票据.票据编号  = 票据开票数据.票据编号 And 票据.入库单编号 = "
        "票据开票数据.入库单编号 "
        " inner join 票据入库单 on 票据.入库单编号 = 票据入库单.入库单编号"
        " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号",
        invoicesThatCount(departmentCode, fromKey, toKey, "票据.收款日期 Is Null") + typeCondition(invoiceTypeList));
}

std::string preInvoiceItemSums(const PreInvoiceStatementInput& in) {
    std::string q = "Select 票据开票数据.票据编号, 票据开票数据.入库单编号";
    for (std::size_t i = 0; i < in.items.size(); ++i) {
        const FeeItemSplit& item = in.items[i];
        const std::string net = "Sum(" + onItemLines(item, lineNet()) + ")";
        if (item.isParking()) q += ", " + net + " * " + in.ratios.at(i) + " As " + sumColumn('P', i);
        q += ", " + net + " As " + sumColumn('N', i);
        q += ", Sum(" + onItemLines(item, "票据开票数据.税额") + ") As " + sumColumn('T', i);
    }
    return q + kItemLineJoins + " Where 1=1" + preInvoiceLineConditions(in) +
           " Group by 票据开票数据.票据编号, 票据开票数据.入库单编号";
}

std::string preInvoiceLineConditions(const PreInvoiceStatementInput& in) {
    return invoicesThatCount(in.departmentCode, in.fromKey, in.toKey, "票据.收款日期 is null") +
           typeCondition(in.invoiceTypeList) + " And " +
           inListTest("票据开票数据.收费项目代号", itemCodeList(in.items));
}

std::string preInvoiceLinesStatement(const PreInvoiceStatementInput& in) {
    return lineListColumns() + kItemLineJoins + " Where 1=1" + preInvoiceLineConditions(in);
}

std::string preInvoiceStatisticsStatement(const PreInvoiceStatementInput& in) {
    std::string q =
        "Select 票据.票据编号 ,票据.入库单编号 , 票据类型.票据类型 ,票据.开票日期, 票据.收款日期, 票据.作废日期, "
        "票据.金额, 票据.收款方式, 票据.付款人, 票据.地址 ";
    q += sumSelectList(in.items);
    q += fromItemSums(preInvoiceItemSums(in)) + " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号" +
         " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";
    q += " Where 票据.开票部门编号 ='" + escapeSqlText(in.departmentCode) + "'" + " And (" + sumPresenceTest(in.items) +
         ")";
    q += " Order by 票据.开票日期, 票据.票据编号, 票据.入库单编号";
    return q;
}

}  // namespace tally::reports::preinvoice
