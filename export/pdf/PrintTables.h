#pragma once
// The print tables of the four reports, read from the same result and headings the grid
// shows, with the title, condition lines and signature line the report's sheet has.
#include <memory>

#include "DetailReport.h"
#include "ExportLabels.h"
#include "PrintTable.h"
#include "ReconciliationTable.h"

namespace tally::pdf {

// A parking, VAT invoicing or pre-invoicing result under `headings` (the grid's). The
// table keeps the result alive. Throws sheet::SheetError for another kind of result or
// headings of another width.
PrintTable detailPrintTable(std::shared_ptr<const reports::ReportResult> result, const reports::HeadingLayout& headings,
                            const exports::DetailSheetLabels& labels);

// The reconciliation table below its two heading rows; `table` must outlive the print
// table. Throws sheet::SheetError when its headings do not fit its columns.
PrintTable reconciliationPrintTable(const reports::reconciliation::ReconciliationTable& table,
                                    const exports::ReconciliationSheetLabels& labels);

}  // namespace tally::pdf
