#pragma once
// The statements of the VAT pre-invoicing detail report, built fragment by fragment.
//
// An invoice counts when it is of the department and of a listed type, not voided,
// issued in the period and not collected by the period's last day. Per-invoice sums
// are grouped and joined by invoice number AND stock-in batch, so two invoices
// sharing a number in different batches never receive each other's lines. Fee-item
// names are bracket-quoted aliases referenced through their derived table, so a name
// with a blank or a bracket, or two items with equal names, cannot break or change
// the statement. Values go in with their quotes doubled.
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

// Item i's derived table: per invoice, for a parking item its property share
// ([nameWY]), net amount ([nameKFS]) and tax; for any other item net amount ([name]) and tax.
std::string preInvoiceItemStatement(const PreInvoiceStatementInput& in, std::size_t i);

// One row per invoice with lines of at least one item, by invoice date and number.
// Fields 0 to 9: 票据编号, 入库单编号, 票据类型, 开票日期, 收款日期, 作废日期, 金额, 收款方式,
// 付款人, 地址; then the value columns of each item in list order.
std::string preInvoiceStatisticsStatement(const PreInvoiceStatementInput& in);

constexpr int kPreInvoiceFirstValueField = 10;

}  // namespace tally::reports::preinvoice
