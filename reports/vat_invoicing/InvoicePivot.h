#pragma once
// The VAT invoicing rows per invoice, put together from the selection's invoices in issue
// order (invoicesStatement) and their lines of the items (itemLinesStatement).
//
// The lines are summed per invoice and item here, into the columns of the item with the
// line's code, instead of in the statement: the statements then neither group nor sort the
// lines, and the work on them does not grow with the number of items. The rows read as
// the report's rows always did: fields 0 to 10 the invoice, then per item its net amount,
// its property share (parking items: net × ratio) and its tax. An exchange invoice shows 0
// where its lines of an item have an amount (Null where they have none), and 0 tax for an
// item other than parking; an invoice with no amount of any item is left out.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Connection.h"
#include "FeeItems.h"
#include "LineSum.h"
#include "Recordset.h"
#include "VatInvoicingStatements.h"

namespace tally::reports::vat {

class InvoicePivot : public data::Recordset {
public:
    // Reads and sums every line, and only then opens the invoices, which are read as rows
    // are fetched: one statement at a time on the connection, as ODBC drivers require.
    InvoicePivot(data::Connection& connection, const StatementInput& in);

protected:
    bool fetchRow(std::vector<data::Value>& row) override;

private:
    // One item's lines on one invoice.
    struct ItemSums {
        std::size_t item;
        LineSum net, tax;
    };
    // The items an invoice has lines of: `count` sums of sums_ from `first`. A year has
    // tens of thousands of invoices; their sums share one vector.
    struct InvoiceSums {
        std::size_t first = 0, count = 0;
    };

    void sumLines(data::Recordset& lines);

    std::unique_ptr<data::Recordset> invoices_;
    FeeItemList items_;
    std::vector<bool> parking_;  // per item
    std::vector<double> ratios_;
    std::unordered_map<std::string, std::vector<std::size_t>> itemsByCode_;  // two items may share a code
    std::vector<ItemSums> sums_;
    std::unordered_map<std::string, InvoiceSums> byInvoice_;  // by invoice number and batch
    std::vector<int> firstColumn_;                            // per item, of the rows
    std::string key_;                                         // room used again for every row
};

// Runs invoicesStatement and itemLinesStatement and gives the invoices as rows.
inline std::unique_ptr<data::Recordset> OpenPerInvoiceRows(data::Connection& connection, const StatementInput& in) {
    return std::make_unique<InvoicePivot>(connection, in);
}

}  // namespace tally::reports::vat
