#pragma once
// The statements as first built, kept to check that the program's statements give the same
// rows: the VAT pre-invoicing detail report's, one derived table per fee item, taking the
// program's own input.
#include <cstddef>
#include <string>

#include "PreInvoiceStatements.h"
#include "ReferenceItemColumnsSql.h"

namespace tally::reference::preinvoice {

using reports::preinvoice::PreInvoiceStatementInput;

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

}  // namespace tally::reference::preinvoice
