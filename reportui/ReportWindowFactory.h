#pragma once
// Makes the report window of a detail report by its kind name ("parking",
// "vat-invoicing", "pre-invoicing"), for the main window's menu.
#include <string_view>

#include "ReportWindow.h"

class QWidget;

namespace tally::reportui {

// A new window on the shared connection, or null (the user has been told) when
// the kind has no report engine.
ReportWindow* createReportWindow(std::string_view kind, QWidget* parent);

// The export command every window made from now on runs.
void setExportHookForNewWindows(ReportWindow::ExportHook hook);

}  // namespace tally::reportui
