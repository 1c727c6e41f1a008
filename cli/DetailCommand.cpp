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

// A --split must name a parking fee item of the fee-item table: a typing mistake is refused
// before anything runs. Whether the period extracted it is only known per run.
std::optional<CommandOutcome> checkSplitCodes(data::Connection& connection, const CliOptions& options) {
    for (const auto& split : options.splits) {
        auto found = reports::LookUpFeeItem(connection, split.feeCode);
        if (!found.ok()) return fromError(found.error());
        if (!found.value()) return failed(2, "--split: " + split.feeCode + " is no fee item");
        if (!found.value()->isParking())
            return failed(
                2, "--split: " + split.feeCode + " (" + found.value()->cleanedName + ") is not a parking fee item");
    }
    return std::nullopt;
}

}  // namespace

std::string unknownDepartmentText(const std::string& code) {
    return "no department " + code + " (tallyvane-report departments lists them)";
}

DepartmentSelection selectDepartments(data::Connection& connection, const CliOptions& options) {
    DepartmentSelection selection;
    auto departments = reports::LoadDepartmentList(connection);
    if (departments.error) {
        selection.status = 1;
        selection.message = departments.error->messageText();
        return selection;
    }
    if (options.allDepartments) {
        selection.entries = std::move(departments.entries);
        return selection;
    }
    for (const auto& code : options.departmentCodes) {
        auto department = reports::findDepartment(departments.entries, code, options.office);
        if (!department) {
            selection.entries.clear();
            selection.status = 2;
            selection.message =
                unknownDepartmentText(code + (options.office.empty() ? "" : " office " + options.office));
            return selection;
        }
        selection.entries.push_back(std::move(*department));
    }
    return selection;
}

CommandOutcome runDetailReport(data::Connection& connection, const reports::DetailReport& report,
                               const CliOptions& options, std::ostream& warnings) {
    auto selection = selectDepartments(connection, options);
    if (selection.status != 0) return failed(selection.status, selection.message);
    return runDetailReportFor(connection, report, options, selection.entries.front(), warnings);
}

CommandOutcome runDetailReportFor(data::Connection& connection, const reports::DetailReport& report,
                                  const CliOptions& options, const reports::DepartmentEntry& department,
                                  std::ostream& warnings) {
    if (auto refusal = reports::CheckDetailSelection(true, options.fromKey, options.toKey))
        return fromError(refusal->error);
    if (auto refused = checkSplitCodes(connection, options)) return *refused;

    auto typeList = reports::LoadInvoiceTypeList(connection);
    if (!typeList.ok()) return fromError(typeList.error());
    const reports::ReportRequest request{department, options.fromKey, options.toKey, typeList.value()};

    auto extraction = reports::ExtractDetailFeeItems(connection, report, request);
    // Without a window nothing can be corrected after an error: the run stops there.
    if (extraction.error) return fromError(*extraction.error);
    if (!extraction.canRun()) return failed(3, extraction.messages(report).front().messageText());

    // The extraction lays the headings out at 70/30; edits come after it. A month-end script
    // passes the office's usual splits whether or not the month had each parking item.
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
        if (!found)
            warnings << "--split: parking fee item " << split.feeCode << " was not extracted for "
                     << department.departmentCode << " in the period; its split is not used\n";
    }

    auto run = reports::RunDetailStatistics(connection, report, request, extraction.items, splits);
    if (run.headings) headings = *run.headings;
    if (!run.found()) return failed(run.result ? 3 : (run.error->refusedSelection ? 2 : 1), run.error->messageText());

    CommandOutcome outcome;
    outcome.output.kind = options.kind;
    outcome.output.title = report.titleFor(department);
    outcome.output.headings = {headings.row0, headings.row1};
    for (int i = 0; i < run.result->rowCount(); ++i) {
        std::vector<std::string> cells;
        for (const auto& cell : run.result->drawRow(i).cells) cells.push_back(cell.text);
        outcome.output.rows.push_back(std::move(cells));
    }
    outcome.result = run.result;
    outcome.headings = headings;
    outcome.items = extraction.items;
    outcome.request = request;
    outcome.splits = splits;
    outcome.department = department;
    outcome.exportDone = report.texts().exportSuccess;
    return outcome;
}

}  // namespace tally::cli
