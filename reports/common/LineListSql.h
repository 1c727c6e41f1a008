#pragma once
// What the drill-down lists of each invoice line, for the line statements the detail reports
// build from their own joins and conditions.
#include <string>

namespace tally::reports {

// "Select 票据.票据编号 As 票据编号, ...": 票据编号, 入库单编号, 类型 (the type's name),
// 开票日期, 收款日期, 作废日期, 付款人, 收费项目代号, 金额, 税额, then 净额 (the line's amount
// less its tax, as the reports sum it: lineNet() of ItemSumsSql.h), 被换票票据编号 and
// 收款方式. The statement's From clause must join 票据类型.
std::string lineListColumns();

// The department's invoices that name another as the invoice they replaced: 票据编号,
// 入库单编号, 被换票票据编号, in issue order.
std::string exchangesStatement(const std::string& departmentCode);

}  // namespace tally::reports
