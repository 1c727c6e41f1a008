#pragma once
// The property share of a parking item when an invoice is listed line by line.
//
// Rounding each line's share on its own would make the lines' shares add up to a cent
// more or less than the invoice's rounded share, so the line-by-line report and the
// per-invoice report would disagree on their totals. Each line's share is instead the
// rounded share of the item's lines so far less the rounded share of those before it:
// the lines of an invoice then add up to exactly its rounded share, and an invoice with
// one line of the item keeps the share it always had.
#include <string>
#include <vector>

#include "FeeItems.h"
#include "VatInvoicingRows.h"

namespace tally::reports::vat {

// `rows` are the rows of one invoice in line order (row k holds the k-th line of each item);
// `ratios` the property share multipliers of `items` ("0.3"; parking items only). The
// developer share becomes the line's net amount less its property share.
void spreadParkingShares(std::vector<InvoiceDetailRow>::iterator first, std::vector<InvoiceDetailRow>::iterator last,
                         const FeeItemList& items, const std::vector<std::string>& ratios);

}  // namespace tally::reports::vat
