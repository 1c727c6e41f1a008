#include "DetailCommand.h"

#include "Departments.h"
#include "DetailReportFlow.h"

namespace tally::cli {
namespace {

CommandOutcome failed(int status, std::string message) {
    CommandOutcome outcome;
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
}

CommandOutcome fromError(const reports::ReportError& e) { return failed(e.refusedSelection ? 2 : 1, e.messageText()); }

}  // namespace

CommandOutcome runDetailReport(data::Connection& connection, const reports::DetailReport& report,
                               const CliOptions& options) {
    auto departments = reports::LoadDepartmentList(connection);
    if (departments.error) return fromError(*departments.error);
    auto department = reports::findDepartment(departments.entries, options.department, options.office);
    if (auto refusal = reports::CheckDetailSelection(department.has_value(), options.fromKey, options.toKey))
        return fromError(refusal->error);

    auto typeList = reports::LoadInvoiceTypeList(connection);
    if (!typeList.ok()) return fromError(typeList.error());
    const reports::ReportRequest request{*department, options.fromKey, options.toKey, typeList.value()};

    auto extraction = reports::ExtractDetailFeeItems(connection, report, request);
    // Without a window nothing can be corrected after an error: the run stops there.
    if (extraction.error) return fromError(*extraction.error);
    if (!extraction.canRun()) return failed(3, extraction.messages(report).front().messageText());

    // The extraction lays the headings out at 70/30; edits come after it.
    auto splits = *extraction.splits;
    auto headings = *extraction.headings;
    for (const auto& split : options.splits) {
        bool found = false;
        for (auto& row : splits)
            if (row.code == split.feeCode) {
                row.developerText = split.developerText;
                row.propertyText = split.propertyText;
                found = true;
            }
        if (!found) return failed(2, "--split: no parking fee item with code " + split.feeCode + " was extracted");
    }

    auto run = reports::RunDetailStatistics(connection, report, request, extraction.items, splits);
    if (run.headings) headings = *run.headings;
    if (!run.found()) return failed(run.result ? 3 : (run.error->refusedSelection ? 2 : 1), run.error->messageText());

    CommandOutcome outcome;
    outcome.output.kind = options.kind;
    outcome.output.title = report.titleFor(*department);
    outcome.output.headings = {headings.row0, headings.row1};
    for (int i = 0; i < run.result->rowCount(); ++i) {
        std::vector<std::string> cells;
        for (const auto& cell : run.result->drawRow(i).cells) cells.push_back(cell.text);
        outcome.output.rows.push_back(std::move(cells));
    }
    outcome.result = run.result;
    outcome.headings = headings;
    outcome.items = extraction.items;
    outcome.department = *department;
    outcome.exportDone = report.texts().exportSuccess;
    return outcome;
}

}  // namespace tally::cli
