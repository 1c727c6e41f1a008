#pragma once
// The VAT invoicing detail report ("增值税开票明细表") as a report-window plug-in.
#include <vector>

#include "DetailReportParts.h"
#include "VatInvoicingRows.h"

namespace tally::reports::vat {

// The rows of one run, drawn as the window's grid shows them.
class VatInvoicingResult : public ReportResult {
public:
    VatInvoicingResult(std::vector<InvoiceDetailRow> rows, FeeItemList items);

    int rowCount() const override { return static_cast<int>(rows_.size()); }
    int columnCount() const override { return valueColumns_ + 9; }
    DrawnRow drawRow(int index) const override;

    const std::vector<InvoiceDetailRow>& rows() const { return rows_; }
    const FeeItemList& items() const { return items_; }
    int valueColumnCount() const { return valueColumns_; }

private:
    std::vector<InvoiceDetailRow> rows_;
    FeeItemList items_;
    int valueColumns_;
};

// True when one item's cleaned name is exactly "维修基金": the run then lists line by line.
bool HasMaintenanceFund(const FeeItemList& items);

// One row per invoice, or line by line: row k of an invoice holds the k-th line of each
// item that has one, so that every line is counted once.
enum class VatRowForm { PerInvoice, LineByLine };
VatRowForm rowFormFor(const FeeItemList& items);

// A run in the given form; the report runs in rowFormFor(items).
ResultOutcome RunVatInvoicing(data::Connection& connection, const ReportRequest& request, const FeeItemList& items,
                              const SplitRatioRows& splits, VatRowForm form);

class VatInvoicingReport : public DetailReportFromParts {
public:
    VatInvoicingReport();
};

}  // namespace tally::reports::vat
