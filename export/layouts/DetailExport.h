#pragma once
// The export of a detail report whatever its kind, for callers that hold the result as a
// plain ReportResult (the report window, the command-line tool).
#include <filesystem>

#include "DetailReport.h"
#include "ExportLabels.h"
#include "FeeItems.h"

namespace tally::exports {

// Runs ExportParkingSheet, ExportVatInvoicing or ExportPreInvoiceSheet, by the result's
// kind; `items` are the fee items of the run. Throws SheetError, also for a result of
// another kind.
std::filesystem::path ExportDetailResult(const reports::ReportResult& result, const reports::FeeItemList& items,
                                         const DetailSheetRequest& request);

}  // namespace tally::exports
