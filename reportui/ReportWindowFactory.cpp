#include "ReportWindowFactory.h"

#include "Notifier.h"
#include "ReportCatalog.h"

namespace tally::reportui {

ReportWindow* createReportWindow(std::string_view kind, const WindowServices& services, QWidget* parent) {
    auto report = reports::makeDetailReport(kind);
    if (!report) {
        services.notifier->notice("此报表暂不可用：" + std::string(kind));
        return nullptr;
    }
    return new ReportWindow(std::move(report), services, parent);
}

ReconciliationWindow* createReconciliationWindow(const WindowServices& services, QWidget* parent) {
    return new ReconciliationWindow(services, parent);
}

}  // namespace tally::reportui
