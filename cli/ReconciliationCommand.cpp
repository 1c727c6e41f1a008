#include "ReconciliationCommand.h"

#include "Departments.h"
#include "ReconciliationRun.h"
#include "ReconciliationSheet.h"

namespace tally::cli {
namespace {

namespace rc = reports::reconciliation;

CommandOutcome failed(int status, std::string message) {
    CommandOutcome outcome;
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
}

// The run's messages, one a line, in the order the window shows them.
std::string messagesOf(const rc::ReconciliationRun& run) {
    std::string text;
    for (const auto& e : run.reported) text += (text.empty() ? "" : "\n") + e.messageText();
    return text;
}

bool reportedDatabaseError(const rc::ReconciliationRun& run) {
    for (const auto& e : run.reported)
        if (!e.refusedSelection) return true;
    return false;
}

}  // namespace

CommandOutcome runReconciliationReport(data::Connection& connection, const CliOptions& options) {
    if (!options.splits.empty()) return failed(2, "the reconciliation report takes no --split");
    auto selection = selectDepartments(connection, options);
    if (selection.status != 0) return failed(selection.status, selection.message);
    return runReconciliationReportFor(connection, options, selection.entries.front());
}

CommandOutcome runReconciliationReportFor(data::Connection& connection, const CliOptions& options,
                                          const reports::DepartmentEntry& department) {
    if (!options.splits.empty()) return failed(2, "the reconciliation report takes no --split");
    if (auto refusal = rc::checkReconciliationSelection(true, options.startMonth, options.endMonth))
        return failed(2, refusal->error.messageText());

    rc::ReconciliationSelection selection{options.year, options.startMonth, options.endMonth, department};
    auto run = rc::RunReconciliation(connection, selection);
    bool databaseError = reportedDatabaseError(run);
    switch (run.end) {
    case rc::RunEnd::Refused: return failed(2, messagesOf(run));
    case rc::RunEnd::NoData: return failed(databaseError ? 1 : 3, messagesOf(run));
    case rc::RunEnd::Abandoned: return failed(1, messagesOf(run));
    case rc::RunEnd::Completed: break;
    }
    // Only the headings: nothing to report or export, as in the window.
    if (run.table.rowCount() <= rc::ReconciliationTable::kHeadingRows) {
        std::string message = messagesOf(run);
        return failed(databaseError ? 1 : 3, message + (message.empty() ? "" : "\n") + rc::kNoReconciliationData);
    }

    CommandOutcome outcome;
    outcome.status = databaseError ? 1 : 0;
    outcome.message = messagesOf(run);
    outcome.output.kind = options.kind;
    outcome.output.title = rc::reconciliationTitle(options.year, department);
    outcome.output.headings = {run.table.rowTexts(0), run.table.rowTexts(1)};
    outcome.output.rows = run.table.dataRowTexts();
    outcome.headings = run.table.headings();
    outcome.department = department;
    outcome.exportDone = exports::kReconciliationExportDone;
    outcome.reconciliation = std::make_shared<const rc::ReconciliationTable>(std::move(run.table));
    return outcome;
}

}  // namespace tally::cli
