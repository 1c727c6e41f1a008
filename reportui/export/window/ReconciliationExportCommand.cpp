#include "ReconciliationExportCommand.h"

#include "ReconciliationSheet.h"

namespace tally::exports {

using reports::reconciliation::ReconciliationTable;

void ExportReconciliationTable(const ReconciliationTable& table, const ReconciliationSheetLabels& labels,
                               const ExportControls& controls, const ExportEnvironment& environment) {
    if (table.rowCount() <= ReconciliationTable::kHeadingRows) return;
    ExportJob job;
    job.proposedName = QString::fromStdString(labels.title);
    job.rowCount = table.rowCount() - ReconciliationTable::kHeadingRows;
    job.doneMessage = kReconciliationExportDone;
    job.write = [&](const sheet::OutputTarget& target, const ExportProgress& progress) {
        return ExportReconciliation(table, labels, target, progress);
    };
    runExportCommand(controls, job, environment);
}

}  // namespace tally::exports
