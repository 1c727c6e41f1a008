#pragma once
// "导出Excel" in the reconciliation window: the finished table written as its sheet,
// with the window title, department entry and period boxes as they stand now.
#include "ExportCommand.h"
#include "ReconciliationTable.h"

namespace tally::exports {

// Does nothing while the table holds only its two heading rows. The proposed file
// name is the window title alone.
void ExportReconciliationTable(const reports::reconciliation::ReconciliationTable& table,
                               const ReconciliationSheetLabels& labels, const ExportControls& controls,
                               const ExportEnvironment& environment = {});

}  // namespace tally::exports
