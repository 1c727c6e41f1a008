#include "PreviewCommands.h"

#include "Notifier.h"
#include "PrintTables.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ResultGrid.h"
#include "SheetError.h"

namespace tally::reportui {

pdf::PrintTable detailPrintTableOf(const ReportWindow& window) {
    return pdf::detailPrintTable(window.result(), window.resultGrid()->headings(),
                                 {window.titleText().toStdString(), window.resultDepartmentText(),
                                  window.resultStart().toString("yyyy-MM-dd").toStdString(),
                                  window.resultEnd().toString("yyyy-MM-dd").toStdString()});
}

pdf::PrintTable reconciliationPrintTableOf(const ReconciliationWindow& window) {
    return pdf::reconciliationPrintTable(
        window.table(), {window.titleText().toStdString(), window.shownDepartmentText(), window.shownYear(),
                         window.shownStartMonth(), window.shownEndMonth()});
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
    const QString name = window.titleText() + "_" + window.resultStart().toString("yyyyMMdd") + "-" +
                         window.resultEnd().toString("yyyyMMdd");
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
