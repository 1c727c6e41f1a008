#pragma once
// Inserts the demo rows into a database that already has the fee tables.
#include "DemoInvoicePlan.h"
#include "DemoReferenceData.h"
#include "DemoSqlite.h"

namespace tally::demo {

// Departments, offices, invoice types, fee items, tax-control settings and payment methods.
// The closed department's 终止日期 falls on 31 March of `firstYear`.
void writeReferenceTables(SqliteFile& file, int firstYear, const FeeItemSet& items);

// Batches, invoices and their lines, in plan order.
void writeInvoices(SqliteFile& file, const InvoicePlan& plan, const FeeItemSet& items);

}  // namespace tally::demo
