#include "ReconciliationWindowFactory.h"

namespace tally::reportui {
namespace {

ReconciliationWindow::ExportHook& exportHookForNewWindows() {
    static ReconciliationWindow::ExportHook hook;
    return hook;
}

}  // namespace

ReconciliationWindow* createReconciliationWindow(QWidget* parent) {
    auto* window = new ReconciliationWindow(parent);
    window->setExportHook(exportHookForNewWindows());
    return window;
}

void setReconciliationExportHookForNewWindows(ReconciliationWindow::ExportHook hook) {
    exportHookForNewWindows() = std::move(hook);
}

}  // namespace tally::reportui
