#include "ReconciliationStatements.h"

#include "ExtractionSql.h"
#include "FeeItems.h"
#include "ItemSumsSql.h"
#include "PeriodRanges.h"
#include "SqlText.h"

namespace tally::reports::reconciliation {
namespace {

using data::escapeSqlText;

// Fragments 2 to 6 of A1, shared by A2, A3 and every B(k).
const char* const kRatedJoins =
    " From 票据开票数据"
    " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号"
    " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号"
    " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号"
    " Inner Join 税控盘收费项目设置 on 收费项目代号=dh";

// The pre-invoicing statements join without the tax-control settings.
const char* const kPlainJoins =
    " From 票据开票数据"
    " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号  =票据.票据编号"
    " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号"
    " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";

std::string departmentTest(const std::string& departmentCode) {
    return " And 票据.开票部门编号 ='" + escapeSqlText(departmentCode) + "'";
}

std::string monthKeyOf(const char* column) { return std::string("CONVERT(char(6),") + column + ",112)"; }

// Issued in the month (A1, A2 and A3 of the first statements).
std::string issuedIn(const std::string& key) { return monthKeyOf("票据.开票日期") + " ='" + key + "'"; }

// Handed over to finance in the month: collected in it, and issued in it or earlier.
std::string handedOverIn(const std::string& key) {
    return "((" + monthKeyOf("票据.开票日期") + " ='" + key + "' And " + monthKeyOf("票据.收款日期") + " ='" + key +
           "') Or (" + monthKeyOf("票据.收款日期") + " ='" + key + "' And " + monthKeyOf("票据.开票日期") + " < " +
           monthKeyOf("票据.收款日期") + ")) And 票据.收款日期 is not null";
}

std::string sumWhen(const std::string& test, const std::string& value, const std::string& alias) {
    return ", SUM(Case When " + test + " Then " + value + " End) as " + alias;
}

const char* const kTaxOrZero = "(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)";

// What a listed line shows; the line statements add what their figure picks by.
const char* const kLineColumns =
    "Select 票据.票据编号 As 票据编号, 票据.入库单编号 As 入库单编号, 票据类型.票据类型 As 类型,"
    " 票据.开票日期 As 开票日期, 票据.收款日期 As 收款日期, 票据.作废日期 As 作废日期, 票据.付款人 As 付款人,"
    " 票据开票数据.收费项目代号 As 收费项目代号, 票据开票数据.金额 As 金额, 票据开票数据.税额 As 税额";
const char* const kLineOrder = " Order by 票据.开票日期, 票据.票据编号, 票据.入库单编号, 票据开票数据.收费项目代号";

// The lines of the month's invoices and hand-overs that the office's settings rate:
// issued or collected in the month (each a range the department's index can seek,
// with the month keys kept), of the office, the listed types and the items, not voided.
std::string monthLines(const StatementScope& scope, const std::string& key, const std::string& codeList) {
    const std::string department = "票据.开票部门编号 ='" + escapeSqlText(scope.departmentCode) + "'";
    return std::string(kRatedJoins) + " Where ((" + department + monthRange("票据.开票日期", key, key) + " And " +
           issuedIn(key) + ") Or (" + department + monthRange("票据.收款日期", key, key) + " And " +
           monthKeyOf("票据.收款日期") + " ='" + key + "'))" + " And " +
           inListTest("票据开票数据.收费项目代号", codeList) + " And 票据.作废日期 is null" +
           " And 税控盘收费项目设置.管理处 ='" + escapeSqlText(scope.officeCode) + "'" + " And " +
           inListTest("票据类型代号", scope.typeLists.all);
}

// Of a type of the list and issued in the month: the type first, so that the month key
// is worked out only for the lines of the list's types.
std::string ofTypeIssuedIn(const std::string& types, const std::string& key) {
    return "票据类型代号 IN (" + inListBody(types) + ") And " + issuedIn(key);
}

std::string receiptSum(const StatementScope& scope, const std::string& key) {
    return sumWhen(ofTypeIssuedIn(scope.typeLists.receipt, key), "票据开票数据.金额", "收据");
}

std::string issuedSums(const StatementScope& scope, const std::string& key) {
    const std::string special = ofTypeIssuedIn(scope.typeLists.special, key);
    const std::string ordinary = ofTypeIssuedIn(scope.typeLists.ordinary, key);
    return sumWhen(special, "票据开票数据.金额", "专用发票") + sumWhen(special, kTaxOrZero, "专发税额") +
           sumWhen(ordinary, "票据开票数据.金额", "普通发票") + sumWhen(ordinary, kTaxOrZero, "普发税额") +
           receiptSum(scope, key);
}

}  // namespace

StatementScope statementScope(const ReconciliationSelection& selection, const InvoiceTypeLists& typeLists) {
    return {selection.department.departmentCode, selection.department.officeCode, typeLists};
}

std::string feeItemExtractionStatement(const ReconciliationSelection& selection, const InvoiceTypeLists& typeLists) {
    const std::string first = selection.year + selection.startMonth, last = selection.year + selection.endMonth;
    return feeItemsOfLines("税控盘收费项目设置.税率",
                           " From 票据"
                           " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
                           "票据开票数据.入库单编号"
                           " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号"
                           " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号",
                           departmentTest(selection.department.departmentCode) +
                               monthRange("票据.开票日期", first, last) +
                               " And CONVERT(char(6),票据.开票日期,112) between '" + escapeSqlText(first) + "' and '" +
                               escapeSqlText(last) + "'" + " and 票据.作废日期 is null " + " And " +
                               inListTest("票据类型代号", typeLists.all),
                           " Inner Join 税控盘收费项目设置 ON setupsfxm.dh = 税控盘收费项目设置.DH ",
                           " And 税控盘收费项目设置.管理处 ='" + escapeSqlText(selection.department.officeCode) + "'");
}

std::string monthCodeSumsStatement(const StatementScope& scope, const std::string& monthKey,
                                   const ReconciliationFeeItems& items) {
    const std::string key = escapeSqlText(monthKey);
    return "Select 税控盘收费项目设置.税率 As 税率, 票据开票数据.收费项目代号 As 收费项目代号" +
           issuedSums(scope, key) + sumWhen(handedOverIn(key), "票据开票数据.金额", "交账") +
           monthLines(scope, key, reconciliationCodeList(items)) +
           " group by 税控盘收费项目设置.税率, 票据开票数据.收费项目代号";
}

std::string settingsRatesStatement() { return "Select Distinct 税率 From 税控盘收费项目设置"; }

namespace {

// The pre-invoicing corrections' joins and conditions, after their select lists.
std::string collectedPreInvoicedLines(const std::string& departmentCode, const std::string& allTypes,
                                      const std::string& monthKey, const std::string& codeList) {
    return std::string(kPlainJoins) + " Where 1=1" + departmentTest(departmentCode) +
           monthRange("票据.收款日期", monthKey, monthKey) + " And CONVERT(char(6),票据.收款日期 ,112) ='" +
           escapeSqlText(monthKey) + "' And CONVERT(char(6),票据.开票日期,112) < CONVERT(char(6),票据.收款日期,112)" +
           " And 票据.作废日期 is null and 票据.收款日期 is not null" + " And " + inListTest("收费项目代号", codeList) +
           " And 票据类型代号 IN (" + inListBody(allTypes) + ")";
}

std::string uncollectedPreInvoicedLines(const std::string& departmentCode, const std::string& allTypes,
                                        const std::string& monthKey, const std::string& codeList) {
    return std::string(kPlainJoins) + " Where 1=1" + departmentTest(departmentCode) +
           monthRange("票据.开票日期", monthKey, monthKey) + " And CONVERT(char(6),票据.开票日期 ,112) ='" +
           escapeSqlText(monthKey) +
           "' And (票据.收款日期 Is Null Or CONVERT(char(6),票据.收款日期,112) > CONVERT(char(6),票据.开票日期,112))" +
           " And 票据.作废日期 is null" + " And " + inListTest("收费项目代号", codeList) + " And " +
           inListTest("票据类型代号", allTypes);
}

}  // namespace

std::string collectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                          const std::string& monthKey, const std::string& codeList) {
    return "Select SUM(票据开票数据.金额) 当月收预开" +
           collectedPreInvoicedLines(departmentCode, allTypes, monthKey, codeList);
}

std::string uncollectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                            const std::string& monthKey, const std::string& codeList) {
    return "Select SUM(票据开票数据.金额) 当月未收预开票" +
           uncollectedPreInvoicedLines(departmentCode, allTypes, monthKey, codeList);
}

std::string monthLinesStatement(const StatementScope& scope, const std::string& monthKey,
                                const ReconciliationFeeItems& items) {
    const std::string key = escapeSqlText(monthKey);
    auto flag = [](const std::string& test, const char* alias) {
        return ", Case When " + test + " Then 1 Else 0 End As " + alias;
    };
    return std::string(kLineColumns) + ", 税控盘收费项目设置.税率 As 税率" +
           flag(ofTypeIssuedIn(scope.typeLists.special, key), "专用") +
           flag(ofTypeIssuedIn(scope.typeLists.ordinary, key), "普通") +
           flag(ofTypeIssuedIn(scope.typeLists.receipt, key), "收据") + flag(handedOverIn(key), "交账") +
           monthLines(scope, key, reconciliationCodeList(items)) + kLineOrder;
}

std::string preInvoicedLinesStatement(bool collected, const std::string& departmentCode, const std::string& allTypes,
                                      const std::string& monthKey, const std::string& codeList) {
    return kLineColumns +
           (collected ? collectedPreInvoicedLines : uncollectedPreInvoicedLines)(departmentCode, allTypes, monthKey,
                                                                                 codeList) +
           kLineOrder;
}

}  // namespace tally::reports::reconciliation
