#include "ReportWindowFactory.h"

#include "DrillDown.h"
#include "Notifier.h"
#include "ReportCatalog.h"

namespace tally::reportui {

ReportWindow* createReportWindow(std::string_view kind, const WindowServices& services, QWidget* parent) {
    auto report = reports::makeDetailReport(kind);
    if (!report) {
        services.notifier->notice("此报表暂不可用：" + std::string(kind));
        return nullptr;
    }
    auto* window = new ReportWindow(std::move(report), services, parent);
    attachDrillDown(*window, services);
    return window;
}

ReconciliationWindow* createReconciliationWindow(const WindowServices& services, QWidget* parent) {
    auto* window = new ReconciliationWindow(services, parent);
    attachDrillDown(*window, services);
    return window;
}

}  // namespace tally::reportui
