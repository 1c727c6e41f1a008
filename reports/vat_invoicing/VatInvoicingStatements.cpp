#include "VatInvoicingStatements.h"

#include "ExtractionSql.h"
#include "ItemColumnsSql.h"
#include "ItemSumsSql.h"
#include "LineListSql.h"
#include "PeriodRanges.h"
#include "SqlText.h"

namespace tally::reports::vat {
namespace {

using data::escapeSqlText;

const char* const kJoinsFromLines =
    " From 票据开票数据"
    " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号"
    " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号"
    " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";

const char* const kInvoiceColumns =
    "Select 票据.票据编号 ,票据.入库单编号 , 票据类型.票据类型 ,票据.开票日期, 票据.收款日期, 票据.作废日期, "
    "票据.金额, "
    "票据.收款方式, 票据.付款人, 票据.地址, 票据.被换票票据编号 ";

const char* const kTypeJoins =
    " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号"
    " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";

std::string typeCondition(const StatementInput& in) { return " And " + inListTest("票据类型代号", in.invoiceTypeList); }

// The selection every part shares: the department's invoices of the period and types.
std::string selection(const StatementInput& in) {
    return periodCondition(in.departmentCode, in.fromKey, in.toKey) + typeCondition(in);
}

// The items' lines of the selection, numbered 1, 2, ... within their invoice and item in
// a stable order: by amount, then tax (lines alike in both are interchangeable).
std::string numberedLines(const StatementInput& in) {
    return std::string(
               "Select 票据开票数据.票据编号, 票据开票数据.入库单编号, 票据开票数据.收费项目代号, "
               "票据开票数据.金额, 票据开票数据.税额, ROW_NUMBER() Over (Partition By 票据开票数据.票据编号, "
               "票据开票数据.入库单编号, 票据开票数据.收费项目代号 Order By 票据开票数据.金额, 票据开票数据.税额) "
               "As 行号") +
           kJoinsFromLines + " Where 1=1" + itemLineConditions(in);
}

// Row k of an invoice: the k-th line of each item that has one.
std::string lineRows(const StatementInput& in) {
    const std::string lines = "编号行";
    std::string q = "Select 编号行.票据编号, 编号行.入库单编号, 编号行.行号";
    for (std::size_t i = 0; i < in.items.size(); ++i) {
        const FeeItemSplit& item = in.items[i];
        q += ", Max(" + onItemLines(item, lineNet(lines), lines) + ") As " + sumColumn('N', i);
        if (item.isParking())
            q += ", Max(" + onItemLines(item, "(" + lineNet(lines) + ") * " + in.ratios.at(i), lines) + ") As " +
                 sumColumn('P', i);
        q += ", Max(" + onItemLines(item, lines + ".税额", lines) + ") As " + sumColumn('T', i);
    }
    return q + " From (" + numberedLines(in) + ") 编号行" + " Group by 编号行.票据编号, 编号行.入库单编号, 编号行.行号";
}

}  // namespace

std::string periodCondition(const std::string& departmentCode, const std::string& fromKey, const std::string& toKey) {
    const std::string f = escapeSqlText(fromKey), t = escapeSqlText(toKey);
    const std::string department = "票据.开票部门编号 ='" + escapeSqlText(departmentCode) + "'";
    return " And ((" + department + dayRange("票据.开票日期", fromKey, toKey) +
           " And Convert(Char(8),票据.开票日期,112) Between '" + f + "' And '" + t + "')" + " Or (" + department +
           dayRange("票据.收款日期", fromKey, toKey) + " And Convert(Char(8),票据.收款日期,112) Between '" + f +
           "' And '" + t + "' And CONVERT(char(8),票据.开票日期,112)<CONVERT(char(8),票据.收款日期,112)))";
}

std::string extractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                const std::string& toKey) {
    return feeItemsOfLines("setupsfxm.税率",
                           " From 票据"
                           " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
                           "票据开票数据.入库单编号"
                           " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号",
                           periodCondition(departmentCode, fromKey, toKey));
}

std::string invoicesStatement(const StatementInput& in) {
    return std::string(kInvoiceColumns) + " From 票据" + kTypeJoins + " Where 1=1" + selection(in) +
           " Order by 票据.开票日期, 票据.票据编号, 票据.入库单编号";
}

std::string itemLinesStatement(const StatementInput& in) {
    return "Select 票据.票据编号, 票据.入库单编号, 票据开票数据.收费项目代号, " + lineNet() +
           " As 净额, 票据开票数据.税额 From 票据" + kTypeJoins +
           " Inner Join 票据开票数据 on 票据开票数据.票据编号 = 票据.票据编号 And 票据开票数据.入库单编号 = "
           "票据.入库单编号" +
           " Where 1=1" + selection(in);
}

std::string itemLineConditions(const StatementInput& in) {
    return selection(in) + " And " + inListTest("票据开票数据.收费项目代号", itemCodeList(in.items));
}

std::string itemLinesListStatement(const StatementInput& in) {
    return lineListColumns() + kJoinsFromLines + " Where 1=1" + itemLineConditions(in);
}

std::string perLineStatement(const StatementInput& in) {
    return kInvoiceColumns + sumSelectList(in.items) + fromItemSums(lineRows(in)) + kTypeJoins + " Where 1=1" +
           selection(in) + " And (" + sumPresenceTest(in.items) + ")" +
           " Order by 票据.开票日期, 票据.票据编号, 票据.入库单编号, L.行号";
}

}  // namespace tally::reports::vat
