#pragma once
// Print tables of the four reports with many rows, built from the reports' own result
// types and heading layouts, and what the printed file must show of each.
#include <memory>
#include <string>
#include <vector>

#include "PrintTable.h"
#include "ReconciliationTable.h"

namespace tally::testing {

struct PdfSample {
    std::string name;
    pdf::PrintTable table;
    int numberedRows = 0;                   // rows that show a number in 序, 1 to n
    std::vector<std::string> headingTexts;  // must be on every page
    std::string rightmostHeading;
    std::vector<std::string> lastPageTexts;  // the last row, the totals, the signature line
    std::shared_ptr<reports::reconciliation::ReconciliationTable> keepAlive;
};

PdfSample parkingSample(int invoices);
PdfSample vatSample(int invoices);
PdfSample preInvoiceSample(int invoices);
PdfSample reconciliationSample(int months);

}  // namespace tally::testing
