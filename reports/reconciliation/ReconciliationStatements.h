#pragma once
// The statements of the reconciliation report, built fragment by fragment.
//
// Values go between the statements' quotes with their own quotes doubled; an empty
// code or type list becomes "NULL", so "IN (NULL)" matches nothing instead of
// failing; fee-item names are bracket-quoted aliases, so a name with a blank or a
// hyphen cannot break the month statement. Every period is also tested as a range an
// index on (department, date) can seek, with the month keys kept (PeriodRanges.h).
#include <string>

#include "InvoiceTypeLists.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationSelection.h"

namespace tally::reports::reconciliation {

// What the month statements take from the selection besides the month.
struct StatementScope {
    std::string departmentCode;  // 开票部门编号
    std::string officeCode;      // 税控盘收费项目设置.管理处
    InvoiceTypeLists typeLists;
};

StatementScope statementScope(const ReconciliationSelection& selection, const InvoiceTypeLists& typeLists);

// Fee items with their office tax-control rate, over the selected months.
std::string feeItemExtractionStatement(const ReconciliationSelection& selection, const InvoiceTypeLists& typeLists);

// The office's lines of the month summed per settings rate and code: 税率, 收费项目代号,
// what was issued (专用发票, 专发税额, 普通发票, 普发税额, 收据, by type list) and what was
// handed over (交账). MonthPivot.h makes the month's rows of them, one per rate, with a
// column per item: the statement has none, so its work and its text do not grow with the
// number of items.
std::string monthCodeSumsStatement(const StatementScope& scope, const std::string& monthKey,
                                   const ReconciliationFeeItems& items);
// Every rate of the tax-control settings once (Null included).
std::string settingsRatesStatement();

// Collected this month, issued in an earlier month (column 当月收预开). No office
// and no tax-control settings: these two are neither filtered nor split by rate.
std::string collectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                          const std::string& monthKey, const std::string& codeList);
// Issued this month, not collected in it (column 当月未收预开票).
std::string uncollectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                            const std::string& monthKey, const std::string& codeList);

// The lines behind the figures, one row per line and settings row as the sums count them,
// with the columns 票据编号, 入库单编号, 类型 (the type's name), 开票日期, 收款日期, 作废日期,
// 付款人, 收费项目代号, 金额, 税额, in issue order. They are read through the same joins and
// conditions as the sums above, so a line is listed exactly when it is counted.
//
// The month's lines of monthCodeSumsStatement, each with its settings rate (税率) and 1 or 0 in
// 专用, 普通, 收据 (issued in the month, of that list's types) and 交账 (handed over in it).
std::string monthLinesStatement(const StatementScope& scope, const std::string& monthKey,
                                const ReconciliationFeeItems& items);
// The lines of collectedPreInvoicedStatement (collected true) or uncollectedPreInvoicedStatement.
std::string preInvoicedLinesStatement(bool collected, const std::string& departmentCode, const std::string& allTypes,
                                      const std::string& monthKey, const std::string& codeList);

}  // namespace tally::reports::reconciliation
