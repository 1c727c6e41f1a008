#pragma once
// The statements as first built, kept to check that the program's statements give the same
// rows: the reconciliation report's, one derived table per rate and per fee item, taking
// the program's own scope, selection and items.
#include <cstddef>
#include <string>

#include "FeeItems.h"
#include "ReconciliationStatements.h"

namespace tally::reference::reconciliation {

using reports::inListBody;
using reports::reconciliation::InvoiceTypeLists;
using reports::reconciliation::reconciliationCodeList;
using reports::reconciliation::ReconciliationFeeItem;
using reports::reconciliation::ReconciliationFeeItems;
using reports::reconciliation::ReconciliationSelection;
using reports::reconciliation::StatementScope;

// Fee items with their office tax-control rate, over the selected months.
std::string feeItemExtractionStatement(const ReconciliationSelection& selection, const InvoiceTypeLists& typeLists);

// A1, A2, A3: special invoices, ordinary invoices and receipts issued in the month, by rate.
std::string specialInvoiceStatement(const StatementScope& scope, const std::string& monthKey,
                                    const std::string& codeList);
std::string ordinaryInvoiceStatement(const StatementScope& scope, const std::string& monthKey,
                                     const std::string& codeList);
std::string receiptStatement(const StatementScope& scope, const std::string& monthKey, const std::string& codeList);

// B(k): the finance hand-over of one item in the month, by rate.
std::string handOverStatement(const StatementScope& scope, const std::string& monthKey,
                              const ReconciliationFeeItem& item);

// One row per tax rate: columns 0 S税率, 1 专用发票, 2 专发税额, 3 普通发票, 4 普发税额,
// 5 S收据, then one hand-over column per item (position 5 + k for item k from 1).
std::string monthStatement(const StatementScope& scope, const std::string& monthKey,
                           const ReconciliationFeeItems& items);

// Collected this month, issued in an earlier month (column 当月收预开).
std::string collectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                          const std::string& monthKey, const std::string& codeList);
// Issued this month, not collected in it (column 当月未收预开票).
std::string uncollectedPreInvoicedStatement(const std::string& departmentCode, const std::string& allTypes,
                                            const std::string& monthKey, const std::string& codeList);

}  // namespace tally::reference::reconciliation
