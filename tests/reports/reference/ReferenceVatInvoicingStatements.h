#pragma once
// The statements as first built, kept to check that the program's statements give the same
// rows: the VAT invoicing detail report's, one derived table per fee item, taking the
// program's own input.
#include <string>

#include "ReferenceItemColumnsSql.h"
#include "VatInvoicingStatements.h"

namespace tally::reference::vat {

using reports::vat::StatementInput;

// The period condition: issued in the period, or collected in it and issued earlier.
std::string periodCondition(const std::string& fromKey, const std::string& toKey);
std::string extractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                const std::string& toKey);
// One row per invoice: the main part, Union All, the exchange part.
std::string perInvoiceStatement(const StatementInput& in);

}  // namespace tally::reference::vat
