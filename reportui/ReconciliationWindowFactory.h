#pragma once
// Makes the reconciliation window for the main window's menu.
#include "ReconciliationWindow.h"

class QWidget;

namespace tally::reportui {

// A new window on the shared connection, with the export command set below.
ReconciliationWindow* createReconciliationWindow(QWidget* parent);

// The export command every reconciliation window made from now on runs.
void setReconciliationExportHookForNewWindows(ReconciliationWindow::ExportHook hook);

}  // namespace tally::reportui
