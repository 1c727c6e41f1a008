#pragma once
// The VAT invoicing rows per invoice, put together from the selection's lines summed per
// invoice, batch and fee item (perInvoiceLinesStatement).
//
// Each sum goes to the columns of its item here, by code, instead of through one
// conditional sum per item and amount in the statement: the work on the lines then does
// not grow with the number of items. The rows read as the report's rows always did:
// fields 0 to 10 the invoice, then per item its net amount, its property share (parking
// items: net × ratio) and its tax. An exchange invoice shows 0 where its lines of an item
// have an amount (Null where they have none), and 0 tax for an item other than parking;
// an invoice with no amount of any item is left out.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Connection.h"
#include "FeeItems.h"
#include "Recordset.h"
#include "VatInvoicingStatements.h"

namespace tally::reports::vat {

class InvoicePivot : public data::Recordset {
public:
    // `ratios`: the property share multiplier texts of `items` ("0.3"; parking items only).
    InvoicePivot(std::unique_ptr<data::Recordset> lines, const FeeItemList& items,
                 const std::vector<std::string>& ratios);

protected:
    bool fetchRow(std::vector<data::Value>& row) override;

private:
    std::unique_ptr<data::Recordset> lines_;
    FeeItemList items_;
    std::vector<double> ratios_;
    std::map<std::string, std::vector<std::size_t>> itemsByCode_;  // two items may share a code
};

// Runs perInvoiceLinesStatement and gives its invoices as rows.
std::unique_ptr<data::Recordset> OpenPerInvoiceRows(data::Connection& connection, const StatementInput& in);

}  // namespace tally::reports::vat
