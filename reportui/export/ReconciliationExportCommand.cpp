#include "ReconciliationExportCommand.h"

#include <QProgressBar>
#include <QPushButton>

#include "ReconciliationSheet.h"

namespace tally::exports {

using reports::reconciliation::ReconciliationTable;

void ExportReconciliationTable(const ReconciliationTable& table, const ReconciliationSheetLabels& labels,
                               const ExportControls& controls, Notifier& notifier,
                               const ExportEnvironment& environment) {
    if (table.rowCount() <= ReconciliationTable::kHeadingRows) return;
    ExportJob job;
    job.proposedName = QString::fromStdString(labels.title);
    job.rowCount = table.rowCount() - ReconciliationTable::kHeadingRows;
    job.doneMessage = kReconciliationExportDone;
    // The writing may run after this returns: it owns what it reads.
    job.write = [table, labels](const sheet::OutputTarget& target, const ExportProgress& progress) {
        return ExportReconciliation(table, labels, target, progress);
    };
    runExportCommand(controls, job, environment, notifier);
}

void ExportReconciliationWindow(reportui::ReconciliationWindow& window, const ExportEnvironment& environment) {
    // The labels name the year, months and department the table was computed from.
    const ReconciliationSheetLabels labels{window.titleText().toStdString(), window.shownDepartmentText(),
                                           window.shownYear(), window.shownStartMonth(), window.shownEndMonth()};
    ExportReconciliationTable(window.table(), labels,
                              {&window, window.exportButton(), window.exitButton(), window.progressBar(), nullptr},
                              window.notifier(), environment);
}

std::function<void(reportui::ReconciliationWindow&)> reconciliationExportHook(ExportEnvironment environment) {
    return [environment = std::move(environment)](reportui::ReconciliationWindow& window) {
        ExportReconciliationWindow(window, environment);
    };
}

}  // namespace tally::exports
