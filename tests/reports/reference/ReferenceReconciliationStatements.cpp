#include "ReferenceReconciliationStatements.h"

#include "FeeItems.h"
#include "SqlText.h"

namespace tally::reference::reconciliation {
namespace {

using data::escapeSqlText;
using data::sqlIdentifier;

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

std::string tableName(std::size_t k) { return "B" + std::to_string(k); }

// A1, A2 and A3 differ in their select list, the voided test's trailing blank and the type list.
std::string issuedStatement(const std::string& selectList, const char* voidedTest, const StatementScope& scope,
                            const std::string& monthKey, const std::string& codeList, const std::string& types) {
    return selectList + kRatedJoins + " Where CONVERT(char(6),开票日期,112) ='" + escapeSqlText(monthKey) + "'" +
           " And 收费项目代号 in (" + inListBody(codeList) + ")" + voidedTest + " And 开票部门编号 ='" +
           escapeSqlText(scope.departmentCode) + "'" + " And 税控盘收费项目设置.管理处 ='" +
           escapeSqlText(scope.officeCode) + "'" + " And 票据类型代号 IN (" + inListBody(types) + ")" +
           " group by 税控盘收费项目设置.税率";
}

// The select-list entry of item k in the month statement. An item of rate 0 is
// shown only on rows of rate 0 (or of no rate).
std::string handOverColumn(std::size_t k, const ReconciliationFeeItem& item) {
    std::string column = tableName(k) + "." + sqlIdentifier(item.name);
    if (item.rate != 0) return " ," + column;
    return " , CASE WHEN (A.税率 IS not NULL And A.税率>0) THEN 0 ELSE " + column + " END AS " +
           sqlIdentifier(item.name);
}

std::string handOverJoin(const StatementScope& scope, const std::string& monthKey, std::size_t k,
                         const ReconciliationFeeItem& item) {
    std::string b = tableName(k);
    std::string on =
        item.rate != 0 ? " On A.税率= " + b + ".税率" : " On (A.税率= " + b + ".税率 Or " + b + ".税率 Is Null)";
    return " LEFT Join (" + reference::reconciliation::handOverStatement(scope, monthKey, item) + ") " + b + on;
}

}  // namespace

std::string feeItemExtractionStatement(const ReconciliationSelection& selection, const InvoiceTypeLists& typeLists) {
    return std::string("Select distinct 收费项目代号, 税控盘收费项目设置.税率,XM , 收费类别,显示名称") + " From 票据" +
           " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
           "票据开票数据.入库单编号" +
           " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号" +
           " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号" +
           " inner join setupsfxm on 收费项目代号=dh" +
           " Inner Join 税控盘收费项目设置 ON setupsfxm.dh = 税控盘收费项目设置.DH " +
           " where CONVERT(char(6),开票日期,112) between '" + escapeSqlText(selection.year + selection.startMonth) +
           "' and '" + escapeSqlText(selection.year + selection.endMonth) + "'" + " and 作废日期 is null " +
           " And 开票部门编号 ='" + escapeSqlText(selection.department.departmentCode) + "'" +
           " And 票据类型代号 In (" + inListBody(typeLists.all) + ")" + " And 税控盘收费项目设置.管理处 ='" +
           escapeSqlText(selection.department.officeCode) + "'" +
           " group by  税控盘收费项目设置.税率,收费项目代号,xm,收费类别,显示名称" + " order by 收费项目代号";
}

std::string specialInvoiceStatement(const StatementScope& scope, const std::string& monthKey,
                                    const std::string& codeList) {
    return issuedStatement(
        "Select SUM(票据开票数据.金额) as 专用发票, SUM(Case When 票据开票数据.税额 Is Null Then 0 Else "
        "票据开票数据.税额 End) as 专发税额, 税控盘收费项目设置.税率",
        " And 作废日期 is null", scope, monthKey, codeList, scope.typeLists.special);
}

std::string ordinaryInvoiceStatement(const StatementScope& scope, const std::string& monthKey,
                                     const std::string& codeList) {
    return issuedStatement(
        "Select SUM(票据开票数据.金额) as 普通发票,  SUM(Case When 票据开票数据.税额 Is Null Then 0 Else "
        "票据开票数据.税额 End) as 普发税额, 税控盘收费项目设置.税率",
        " And 作废日期 is null", scope, monthKey, codeList, scope.typeLists.ordinary);
}

std::string receiptStatement(const StatementScope& scope, const std::string& monthKey, const std::string& codeList) {
    return issuedStatement("Select SUM(票据开票数据.金额) as 收据, 税控盘收费项目设置.税率 ", " And 作废日期 is null ",
                           scope, monthKey, codeList, scope.typeLists.receipt);
}

std::string handOverStatement(const StatementScope& scope, const std::string& monthKey,
                              const ReconciliationFeeItem& item) {
    std::string key = escapeSqlText(monthKey);
    return "Select SUM(票据开票数据.金额) as " + sqlIdentifier(item.name) + ", 税控盘收费项目设置.税率" + kRatedJoins +
           " Where ((CONVERT(char(6),开票日期,112) ='" + key + "' And CONVERT(char(6),收款日期,112) ='" + key + "')" +
           " Or (CONVERT(char(6),收款日期 ,112) ='" + key +
           "' And CONVERT(char(6),开票日期,112) < CONVERT(char(6),收款日期,112)))" + " And 收费项目代号 in (" +
           inListBody(item.code) + ")" + " And 作废日期 is null and 收款日期 is not null" + " And 开票部门编号 ='" +
           escapeSqlText(scope.departmentCode) + "'" + " And 税控盘收费项目设置.管理处 ='" +
           escapeSqlText(scope.officeCode) + "'" + " And 票据类型代号 IN (" + inListBody(scope.typeLists.all) + ")" +
           " group by 税控盘收费项目设置.税率";
}

std::string monthStatement(const StatementScope& scope, const std::string& monthKey,
                           const ReconciliationFeeItems& items) {
    std::string codeList = reconciliationCodeList(items);
    std::string sql =
        std::string("Select Distinct CASE WHEN A.税率 IS NULL THEN 100 else A.税率 END AS S税率 ,") +
        " A1.专用发票, A1.专发税额, A2.普通发票, A2.普发税额, CASE WHEN A.税率 IS not NULL THEN A3R.收据 ELSE "
        "A3.收据 End As S收据 ";
    for (std::size_t k = 1; k <= items.size(); ++k) sql += handOverColumn(k, items[k - 1]);
    sql += " From 税控盘收费项目设置 A";
    sql += " LEFT Join (" + reference::reconciliation::specialInvoiceStatement(scope, monthKey, codeList) +
           ") A1 On A.税率=A1.税率";
    sql += " LEFT Join (" + reference::reconciliation::ordinaryInvoiceStatement(scope, monthKey, codeList) +
           ") A2 On A.税率=A2.税率";
    sql += " LEFT Join (" + reference::reconciliation::receiptStatement(scope, monthKey, codeList) +
           ") A3 On (A.税率=A3.税率 Or A3.税率 Is Null)";
    // Changed on purpose from the first statements, whose rows of a rate never showed their
    // receipts (NULL), so a month's check never counted them: a row of a rate shows the
    // receipts of that rate.
    sql += " LEFT Join (" + reference::reconciliation::receiptStatement(scope, monthKey, codeList) +
           ") A3R On A.税率=A3R.税率";
    for (std::size_t k = 1; k <= items.size(); ++k) sql += handOverJoin(scope, monthKey, k, items[k - 1]);
    // qualified: a fee item named 专用发票 or 普通发票 brings a column of that name along
    sql += " Where (A1.专用发票 Is Not Null Or A2.普通发票 Is Not Null Or A3.收据 Is Not Null)";
    sql += " order by  S税率";
    return sql;
}

std::string collectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                          const std::string& monthKey, const std::string& codeList) {
    return std::string("Select SUM(票据开票数据.金额) 当月收预开") + kPlainJoins +
           " Where CONVERT(char(6),收款日期 ,112) ='" + escapeSqlText(monthKey) +
           "' And CONVERT(char(6),开票日期,112) < CONVERT(char(6),收款日期,112)" +
           " And 作废日期 is null and 收款日期 is not null" + " And 收费项目代号 in (" + inListBody(codeList) + ")" +
           " And 开票部门编号 ='" + escapeSqlText(departmentCode) + "'" + " And 票据类型代号 IN (" +
           inListBody(allTypes) + ")";
}

std::string uncollectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                            const std::string& monthKey, const std::string& codeList) {
    return std::string("Select SUM(票据开票数据.金额) 当月未收预开票") + kPlainJoins +
           " Where CONVERT(char(6),开票日期 ,112) ='" + escapeSqlText(monthKey) +
           "' And (收款日期 Is Null Or CONVERT(char(6),收款日期,112) > CONVERT(char(6),开票日期,112))" +
           " And 作废日期 is null" + " And 收费项目代号 in (" + inListBody(codeList) + ")" + " And 开票部门编号 ='" +
           escapeSqlText(departmentCode) + "'" + " And 票据类型代号 IN (" + inListBody(allTypes) + ")";
}

}  // namespace tally::reference::reconciliation
