#include "PreviewCommands.h"

#include "Notifier.h"
#include "PrintTables.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ResultGrid.h"
#include "SheetError.h"

namespace tally::reportui {

pdf::PrintTable detailPrintTableOf(const ReportWindow& window) {
    const auto department = window.selectedDepartment();
    return pdf::detailPrintTable(window.result(), window.resultGrid()->headings(),
                                 {window.titleText().toStdString(), department ? department->displayText() : "",
                                  window.startDate().toString("yyyy-MM-dd").toStdString(),
                                  window.endDate().toString("yyyy-MM-dd").toStdString()});
}

pdf::PrintTable reconciliationPrintTableOf(const ReconciliationWindow& window) {
    const auto department = window.selectedDepartment();
    return pdf::reconciliationPrintTable(
        window.table(),
        {window.titleText().toStdString(), department ? department->displayText() : "", window.yearText().toStdString(),
         window.startMonthText().toStdString(), window.endMonthText().toStdString()});
}

namespace {

void openPreview(QWidget& window, Notifier& notifier, const std::function<pdf::PrintTable()>& table,
                 const QString& proposedName, const PreviewEnvironment& environment) {
    try {
        PrintPreview preview(table(), proposedName, notifier, environment, &window);
        preview.exec();
    } catch (const sheet::SheetError& e) {
        notifier.notice(e.messageText());
    }
}

}  // namespace

void PreviewDetailReport(ReportWindow& window, const PreviewEnvironment& environment) {
    const QString name = window.titleText() + "_" + window.startDate().toString("yyyyMMdd") + "-" +
                         window.endDate().toString("yyyyMMdd");
    openPreview(
        window, window.notifier(), [&] { return detailPrintTableOf(window); }, name, environment);
}

void PreviewReconciliation(ReconciliationWindow& window, const PreviewEnvironment& environment) {
    openPreview(
        window, window.notifier(), [&] { return reconciliationPrintTableOf(window); }, window.titleText(), environment);
}

std::function<void(ReportWindow&)> detailPreviewHook(PreviewEnvironment environment) {
    return [environment = std::move(environment)](ReportWindow& window) { PreviewDetailReport(window, environment); };
}

std::function<void(ReconciliationWindow&)> reconciliationPreviewHook(PreviewEnvironment environment) {
    return [environment = std::move(environment)](ReconciliationWindow& window) {
        PreviewReconciliation(window, environment);
    };
}

}  // namespace tally::reportui
