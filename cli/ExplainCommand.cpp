#include "ExplainCommand.h"

#include "DetailRowExplain.h"
#include "ExplanationList.h"
#include "ReconciliationExplain.h"
#include "ReconciliationRun.h"
#include "ReportCatalog.h"

namespace tally::cli {
namespace {

namespace rc = reports::reconciliation;
namespace ex = reports::explain;

CommandOutcome failed(int status, std::string message) {
    CommandOutcome outcome;
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
}

// The list's lines, then "合计" with the total under 计入金额.
ReportOutput outputOf(const std::string& kind, std::string title, const ex::ExplanationList& list) {
    ReportOutput output;
    output.kind = kind;
    output.title = std::move(title);
    output.headings = {list.headings};
    output.rows = list.lines;
    output.rows.push_back(list.totalCells());
    return output;
}

CommandOutcome explainReconciliation(data::Connection& connection, const CliOptions& options) {
    if (!options.splits.empty()) return failed(2, "the reconciliation report takes no --split");
    if (options.explainColumn == 0) return failed(2, "the reconciliation report explains a --cell ROW,COL");
    if (auto refusal = rc::checkReconciliationSelection(true, options.startMonth, options.endMonth))
        return failed(2, refusal->error.messageText());
    auto departments = selectDepartments(connection, options);
    if (departments.status != 0) return failed(departments.status, departments.message);
    const auto& department = departments.entries.front();
    auto lists = rc::LoadInvoiceTypeLists(connection);
    if (!lists.ok()) return failed(1, lists.error().messageText());

    rc::ReconciliationSelection selection{options.year, options.startMonth, options.endMonth, department};
    rc::ReconciliationRun run = rc::RunReconciliation(connection, selection, lists.value());
    std::string messages;
    for (const auto& e : run.reported) messages += (messages.empty() ? "" : "\n") + e.messageText();
    if (run.end != rc::RunEnd::Completed) return failed(run.end == rc::RunEnd::NoData ? 3 : 1, messages);
    for (const auto& e : run.reported)
        if (!e.refusedSelection) return failed(1, messages);  // a figure missing its correction is not explained
    if (run.table.rowCount() <= rc::ReconciliationTable::kHeadingRows) return failed(3, rc::kNoReconciliationData);

    const int row = options.explainRow + rc::ReconciliationTable::kHeadingRows - 1, column = options.explainColumn - 1;
    if (row >= run.table.rowCount() || column >= run.table.columnCount())
        return failed(2, "--cell " + std::to_string(options.explainRow) + "," + std::to_string(options.explainColumn) +
                             " is outside the report's " + std::to_string(run.table.rowCount() - 2) + " rows and " +
                             std::to_string(run.table.columnCount()) + " columns");
    const std::string heading = run.table.text(0, column) + "/" + run.table.text(1, column);
    const std::string cellText = run.table.text(row, column);
    ex::ReconciliationExplainer explainer(connection, selection, lists.value(), run.items, std::move(run.table));
    auto explained = explainer.explain(row, column);
    if (!explained.ok()) return failed(explained.error().refusedSelection ? 2 : 1, explained.error().messageText());

    CommandOutcome outcome;
    outcome.department = department;
    outcome.output = outputOf(options.kind,
                              rc::reconciliationTitle(options.year, department) + " 第" +
                                  std::to_string(options.explainRow) + "行 " + heading + " " + cellText,
                              ex::listOf(explained.value()));
    return outcome;
}

CommandOutcome explainDetail(data::Connection& connection, const CliOptions& options, std::ostream& warnings) {
    if (options.explainColumn != 0) return failed(2, "the " + options.kind + " report explains a --row N");
    auto report = reports::makeDetailReport(options.kind);
    if (!report) return failed(1, "the " + options.kind + " report is not available in this build");
    CommandOutcome run = runDetailReport(connection, *report, options, warnings);
    if (run.status != 0 || !run.result) return failed(run.status != 0 ? run.status : 1, run.message);
    const int rows = run.result->rowCount();
    if (options.explainRow > rows)
        return failed(2, "--row " + std::to_string(options.explainRow) + " is outside the report's " +
                             std::to_string(rows) + " rows");
    auto explainer = ex::makeDetailRowExplainer(connection, *run.result, run.request, run.items, run.splits);
    if (!explainer) return failed(1, "the " + run.output.kind + " report has no drill-down");
    auto explained = explainer->explain(options.explainRow - 1);
    if (!explained.ok()) return failed(explained.error().refusedSelection ? 2 : 1, explained.error().messageText());

    CommandOutcome outcome;
    outcome.department = run.department;
    outcome.output = outputOf(options.kind,
                              run.output.title + " 第" + std::to_string(options.explainRow) + "行 合计 " +
                                  reports::formatCents(explained.value().total),
                              ex::listOf(explained.value()));
    return outcome;
}

}  // namespace

CommandOutcome runExplain(data::Connection& connection, const CliOptions& options, std::ostream& warnings) {
    if (options.kind == "reconciliation") return explainReconciliation(connection, options);
    return explainDetail(connection, options, warnings);
}

}  // namespace tally::cli
