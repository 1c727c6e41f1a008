#pragma once
// The statements of the VAT pre-invoicing detail report, built fragment by fragment.
//
// An invoice counts when it is of the department and of a listed type, not voided,
// issued in the period and not collected by the period's last day. Per-invoice sums
// are grouped and joined by invoice number AND stock-in batch, so two invoices
// sharing a number in different batches never receive each other's lines. The lines are
// read once, one conditional sum per item (ItemSumsSql.h); fee-item names are
// bracket-quoted aliases of the outer select list only, so a name with a blank or a
// bracket, or two items with equal names, cannot break or change the statement. Values
// go in with their quotes doubled. The period is a range the department's index can
// seek, with the day keys kept (PeriodRanges.h).
#include <string>
#include <vector>

#include "FeeItems.h"

namespace tally::reports::preinvoice {

struct PreInvoiceStatementInput {
    std::string departmentCode;
    std::string fromKey, toKey;   // invoice dates, "yyyymmdd"
    std::string invoiceTypeList;  // 'A','B'
    FeeItemList items;
    std::vector<std::string> ratios;  // property share multiplier per item ("0.3"); parking items only
};

// The fee items on lines of the invoices that count.
std::string preInvoiceExtractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                          const std::string& toKey, const std::string& invoiceTypeList);

// Per invoice that counts: each item's property share (P1, parking items), net amount (N1) and tax (T1).
std::string preInvoiceItemSums(const PreInvoiceStatementInput& in);

// The conditions of the lines preInvoiceItemSums adds up (each starting " And "): of the
// invoices that count, of a listed type, of the items.
std::string preInvoiceLineConditions(const PreInvoiceStatementInput& in);

// The same lines one by one, in no order, with the columns of lineListColumns() (LineListSql.h).
std::string preInvoiceLinesStatement(const PreInvoiceStatementInput& in);

// One row per invoice with lines of at least one item, by invoice date and number.
// Fields 0 to 9: 票据编号, 入库单编号, 票据类型, 开票日期, 收款日期, 作废日期, 金额, 收款方式,
// 付款人, 地址; then the value columns of each item in list order.
std::string preInvoiceStatisticsStatement(const PreInvoiceStatementInput& in);

constexpr int kPreInvoiceFirstValueField = 10;

}  // namespace tally::reports::preinvoice
