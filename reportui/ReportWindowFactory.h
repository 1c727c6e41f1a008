#pragma once
// Makes the report windows for the main window's menu: a detail report's window by its
// kind name ("parking", "vat-invoicing", "pre-invoicing"), and the reconciliation window,
// each with its drill-down to the 查看明细 lists attached.
#include <string_view>

#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "WindowServices.h"

class QWidget;

namespace tally::reportui {

// A new window on the services, or null (the user has been told) when the kind has no
// report engine.
ReportWindow* createReportWindow(std::string_view kind, const WindowServices& services, QWidget* parent);

ReconciliationWindow* createReconciliationWindow(const WindowServices& services, QWidget* parent);

}  // namespace tally::reportui
