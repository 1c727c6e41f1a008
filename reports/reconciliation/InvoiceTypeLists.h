#pragma once
// The four ticket-type lists the reconciliation statements filter with.
#include "Connection.h"
#include "ReportError.h"

#include <string>

namespace tally::reports::reconciliation {

// Each list holds ticket-type codes as SQL literals joined by commas ('01','02'),
// quotes inside a code doubled; "" when no type qualifies. The statements turn an
// empty list into a list that matches nothing, never into an invalid "IN ()".
struct InvoiceTypeLists {
    std::string all;       // every type whose 定额 is 0
    std::string special;   // of those, names containing "增值税专用发票"
    std::string ordinary;  // names containing "增值税普通发票"
    std::string receipt;   // names equal to "收据"
};

// Reads 票据类型 in code order. Loaded once when the window opens.
Outcome<InvoiceTypeLists> LoadInvoiceTypeLists(data::Connection& connection);

}  // namespace tally::reports::reconciliation
