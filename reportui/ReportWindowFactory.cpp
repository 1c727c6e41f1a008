#include "ReportWindowFactory.h"

#include "ReportCatalog.h"
#include "UserMessage.h"

namespace tally::reportui {
namespace {

ReportWindow::ExportHook& exportHookForNewWindows() {
    static ReportWindow::ExportHook hook;
    return hook;
}

}  // namespace

ReportWindow* createReportWindow(std::string_view kind, QWidget* parent) {
    auto report = reports::makeDetailReport(kind);
    if (!report) {
        tellSystemNotice("此报表暂不可用：" + std::string(kind));
        return nullptr;
    }
    auto* window = new ReportWindow(std::move(report), parent);
    window->setExportHook(exportHookForNewWindows());
    return window;
}

void setExportHookForNewWindows(ReportWindow::ExportHook hook) { exportHookForNewWindows() = std::move(hook); }

}  // namespace tally::reportui
