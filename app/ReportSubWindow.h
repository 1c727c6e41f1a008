#pragma once
// Puts a report window on the main window's desktop. The sub-window is deleted when closed,
// and also closes when the report window closes itself (from a button of its own), so no
// empty frame is left behind.
class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace tally::app {

QMdiSubWindow* addReportSubWindow(QMdiArea* desktop, QWidget* report);

}  // namespace tally::app
