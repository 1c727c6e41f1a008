#pragma once
// The statements of the VAT invoicing detail report, built fragment by fragment.
//
// Two changes from the statements as first written keep the results right:
// the per-invoice sums are grouped and joined by invoice number AND stock-in batch
// (two invoices sharing a number in different batches stay apart), and fee-item
// names are bracket-quoted aliases referenced through their derived table, so a
// name with a blank or a bracket, or two items with equal names, cannot break or
// change the statement. Values go in with their quotes doubled. A third keeps a
// year's run fast without changing a row: the exchange part sums the lines of
// exchange invoices only (" And 被换票票据编号 is not null" in its derived tables).
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

// The period condition: issued in the period, or collected in it and issued earlier.
std::string periodCondition(const std::string& fromKey, const std::string& toKey);
std::string extractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                const std::string& toKey);
// One row per invoice: the main part, Union All, the exchange part.
std::string perInvoiceStatement(const StatementInput& in);
// One row per combination of matching lines (used when a 维修基金 item is selected).
std::string perLineStatement(const StatementInput& in);

}  // namespace tally::reports::vat
