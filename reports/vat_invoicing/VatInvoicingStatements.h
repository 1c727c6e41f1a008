#pragma once
// The statements of the VAT invoicing detail report, built fragment by fragment.
//
// Two changes from the statements as first written keep the results right:
// the per-invoice sums are grouped and joined by invoice number AND stock-in batch
// (two invoices sharing a number in different batches stay apart), and fee-item
// names are bracket-quoted aliases referenced through their derived table, so a
// name with a blank or a bracket, or two items with equal names, cannot break or
// change the statement. Values go in with their quotes doubled.
//
// Per invoice, one statement reads the period's invoices in order and one their lines of
// the items; the engine sums the lines into the items' columns (PerInvoiceRows.h). Neither
// statement sorts or groups the lines, which would cost more than reading them. The period is tested
// through ranges an index on (department, date) can seek (PeriodRanges.h), with the day
// keys kept.
#include <optional>
#include <string>
#include <vector>

#include "FeeItems.h"

namespace tally::reports::vat {

struct StatementInput {
    std::string departmentCode;
    std::string fromKey, toKey;   // "yyyymmdd"
    std::string invoiceTypeList;  // 'A','B'
    FeeItemList items;
    // Property share multiplier text per item ("0.3"); used for parking items only.
    std::vector<std::string> ratios;
};

// The department and period condition: issued in the period, or collected in it and issued
// earlier. The department is tested in both branches so that each can seek its own index.
std::string periodCondition(const std::string& departmentCode, const std::string& fromKey, const std::string& toKey);
std::string extractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                const std::string& toKey);
// The selection's invoices in issue order: 票据编号, 入库单编号, 票据类型, 开票日期, 收款日期,
// 作废日期, 金额, 收款方式, 付款人, 地址, 被换票票据编号.
std::string invoicesStatement(const StatementInput& in);
// The selection's lines, in no order: the invoice's 票据编号 and 入库单编号 (as the invoice
// row holds them), 收费项目代号, the line's 净额 and 税额. InvoiceLineSums.h sums the lines of
// the items per invoice and item into the rows of invoicesStatement. The statement names
// no item: a list of codes would make the engine seek each code on each invoice, and the
// run's items are all the period's items but for an item left out now and then.
std::string itemLinesStatement(const StatementInput& in);
// The conditions of the lines the rows are made of (each starting " And "): of the
// selection's invoices (periodCondition, the listed types) and of the items. The per-invoice
// rows read the selection's lines and keep those of the items, which is the same.
std::string itemLineConditions(const StatementInput& in);
// Those lines one by one, in no order, with the columns of lineListColumns() (LineListSql.h).
std::string itemLinesListStatement(const StatementInput& in);
// One row per combination of matching lines (used when a 维修基金 item is selected).
std::string perLineStatement(const StatementInput& in);

}  // namespace tally::reports::vat
