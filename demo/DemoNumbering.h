#pragma once
// Stock-in batches and invoice numbers for planned invoices.
#include "DemoInvoicePlan.h"
#include "DemoRandom.h"

namespace tally::demo {

// Puts the invoices, in issue order, into batches of their department and type and numbers them;
// links exchange invoices to the invoice they replace.
void assignNumbers(InvoicePlan& plan, DemoRandom& random);

}  // namespace tally::demo
