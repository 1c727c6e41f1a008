#include "DetailCommand.h"

#include "Departments.h"

namespace tally::cli {
namespace {

const char* const kNothingFound = "无满足统计条件的数据，请重新设置统计条件！";

CommandOutcome failed(int status, std::string message) {
    CommandOutcome outcome;
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
}

CommandOutcome fromError(const reports::ReportError& e) {
    return failed(e.refusedSelection ? 2 : 1, e.messageText());
}

}  // namespace

CommandOutcome runDetailReport(data::Connection& connection, const reports::DetailReport& report,
                               const CliOptions& options) {
    auto departments = reports::LoadDepartmentList(connection);
    if (departments.error)
        return failed(1, data::listErrorText(departments.error->number(), departments.error->description()));
    auto department = reports::findDepartment(departments.entries, options.department, options.office);
    if (!department) return failed(2, "请先选择统计部门!");
    if (options.toKey < options.fromKey) return failed(2, "截至日期不能小于开始日期!");

    reports::ReportRequest request{*department, options.fromKey, options.toKey, ""};
    try {
        request.invoiceTypeList = reports::LoadInvoiceTypeList(connection);
    } catch (const data::DbError& e) {
        return failed(1, data::runErrorText(e.number(), e.description()));
    }

    auto extraction = report.extractFeeItems(connection, request);
    if (extraction.error) return fromError(*extraction.error);
    if (extraction.items.empty()) return failed(3, report.texts().noFeeItems);

    // The extraction lays the headings out at 70/30; edits come after it.
    auto splits = reports::defaultSplitRows(extraction.items);
    auto headings = report.layoutHeadings(extraction.items, splits);
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
    if (report.layoutHeadingsBeforeRun()) headings = report.layoutHeadings(extraction.items, splits);

    auto run = report.run(connection, request, extraction.items, splits);
    if (!run.ok()) return fromError(run.error());
    const auto& result = run.value();
    if (result->rowCount() == 0) return failed(3, kNothingFound);

    CommandOutcome outcome;
    outcome.output.kind = options.kind;
    outcome.output.title = report.titleFor(*department);
    outcome.output.headings = {headings.row0, headings.row1};
    for (int i = 0; i < result->rowCount(); ++i) {
        std::vector<std::string> cells;
        for (const auto& cell : result->drawRow(i).cells) cells.push_back(cell.text);
        outcome.output.rows.push_back(std::move(cells));
    }
    outcome.result = result;
    outcome.headings = headings;
    outcome.items = extraction.items;
    outcome.department = *department;
    outcome.exportDone = report.texts().exportSuccess;
    return outcome;
}

}  // namespace tally::cli
