#pragma once
// The VAT invoicing rows per invoice: the selection's invoices in issue order
// (invoicesStatement), each with the sums of its lines of the items (itemLinesStatement,
// InvoiceLineSums.h), read as the report's rows always were: per item its net amount, its
// property share (parking items: net × ratio) and its tax. An invoice whose number or batch
// is Null, or without a net amount of any item, is no row.
//
// On the embedded engine the two statements run at once, the lines on a second handle
// (Connection::sibling()); elsewhere the lines are read to their end before the invoices'
// statement opens, as ODBC drivers take one statement at a time.
#include <vector>

#include "Connection.h"
#include "VatInvoicingRows.h"
#include "VatInvoicingStatements.h"

namespace tally::reports::vat {

std::vector<InvoiceDetailRow> readPerInvoiceRows(data::Connection& connection, const StatementInput& in,
                                                 const RowContext& context);

}  // namespace tally::reports::vat
