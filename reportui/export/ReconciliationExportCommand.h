#pragma once
// "导出Excel" in the reconciliation window: the finished table written as its sheet,
// with the window title, department entry and period boxes as they stand now.
#include "ExportCommand.h"
#include "ReconciliationTable.h"
#include "ReconciliationWindow.h"

namespace tally::exports {

// Does nothing while the table holds only its two heading rows. The proposed file
// name is the window title alone.
void ExportReconciliationTable(const reports::reconciliation::ReconciliationTable& table,
                               const ReconciliationSheetLabels& labels, const ExportControls& controls,
                               Notifier& notifier, const ExportEnvironment& environment = {});

// The command in a reconciliation window, with its title, selected department and
// period boxes as they stand now.
void ExportReconciliationWindow(reportui::ReconciliationWindow& window, const ExportEnvironment& environment = {});

// The command as the windows' export service.
std::function<void(reportui::ReconciliationWindow&)> reconciliationExportHook(ExportEnvironment environment = {});

}  // namespace tally::exports
