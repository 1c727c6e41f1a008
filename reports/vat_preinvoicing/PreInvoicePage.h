#pragma once
// How a row of the pre-invoicing result is drawn into the grid (ShowPreInvoicePage).
#include <vector>

#include "DetailReport.h"
#include "PreInvoiceRows.h"

namespace tally::reports::preinvoice {

// Column 0 the row's number in the whole result, then date, special and ordinary
// invoice number (centred), the amounts, the row total, "预开" and the payer
// (left-aligned, the column that may need a two-line row).
DrawnRow drawPreInvoiceRow(const PreInvoiceRow& row, int number, int valueColumns);

class PreInvoiceResult : public ReportResult {
public:
    PreInvoiceResult(std::vector<PreInvoiceRow> rows, int valueColumns)
        : rows_(std::move(rows)), valueColumns_(valueColumns) {}

    int rowCount() const override { return static_cast<int>(rows_.size()); }
    int columnCount() const override { return valueColumns_ + 7; }
    DrawnRow drawRow(int index) const override {
        return drawPreInvoiceRow(rows_.at(index), index + 1, valueColumns_);
    }
    const std::vector<PreInvoiceRow>& rows() const { return rows_; }

private:
    std::vector<PreInvoiceRow> rows_;
    int valueColumns_;
};

}  // namespace tally::reports::preinvoice
