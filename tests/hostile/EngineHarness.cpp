#include "EngineHarness.h"

#include <algorithm>
#include <exception>
#include <typeinfo>

#include "Departments.h"
#include "DetailReportFlow.h"
#include "ReconciliationRun.h"
#include "ReportCatalog.h"

namespace tally::testing {
namespace {

namespace rc = reports::reconciliation;

void runDetail(const std::string& kind, RecordingConnection& connection, const reports::DepartmentEntry& department,
               EngineOutcome& out) {
    auto report = reports::makeDetailReport(kind);
    auto typeList = reports::LoadInvoiceTypeList(connection);
    if (!typeList.ok()) {
        out.errors.push_back(typeList.error());
        return;
    }
    const reports::ReportRequest request{department, "20240301", "20240331", typeList.value()};
    auto extraction = reports::ExtractDetailFeeItems(connection, *report, request);
    if (extraction.error) {
        out.errors.push_back(*extraction.error);
        return;
    }
    if (!extraction.canRun()) return;
    out.headings = {extraction.headings->row0, extraction.headings->row1};
    auto run = reports::RunDetailStatistics(connection, *report, request, extraction.items, *extraction.splits);
    // A run that found nothing is no error here: the result is simply empty.
    if (!run.result) {
        out.errors.push_back(*run.error);
        return;
    }
    for (int i = 0; i < run.result->rowCount(); ++i) {
        std::vector<std::string> cells;
        for (const auto& cell : run.result->drawRow(i).cells) cells.push_back(cell.text);
        out.rows.push_back(std::move(cells));
    }
}

void runReconciliation(RecordingConnection& connection, const reports::DepartmentEntry& department,
                       EngineOutcome& out) {
    rc::ReconciliationSelection selection{"2024", "03", "03", department};
    auto run = rc::RunReconciliation(connection, selection);
    out.errors = run.reported;
    if (run.table.rowCount() >= 2) out.headings = {run.table.rowTexts(0), run.table.rowTexts(1)};
    out.rows = run.table.dataRowTexts();
}

}  // namespace

std::vector<std::string> allReportKinds() { return {"parking", "vat-invoicing", "pre-invoicing", "reconciliation"}; }

const std::vector<std::string>* EngineOutcome::rowWith(const std::string& text) const {
    for (const auto& row : rows)
        if (std::find(row.begin(), row.end(), text) != row.end()) return &row;
    return nullptr;
}

bool EngineOutcome::headingsHold(const std::string& text) const {
    for (const auto& row : headings)
        if (std::find(row.begin(), row.end(), text) != row.end()) return true;
    return false;
}

EngineOutcome runReportEngine(const std::string& kind, RecordingConnection& connection, const HostileProfile& profile) {
    EngineOutcome out;
    try {
        auto departments = reports::LoadDepartmentList(connection);
        if (departments.error) {
            out.errors.push_back(*departments.error);
            return out;
        }
        auto department = reports::findDepartment(departments.entries, profile.departmentCode, profile.officeCode);
        out.departmentFound = department.has_value();
        if (!department) return out;
        if (kind == "reconciliation") runReconciliation(connection, *department, out);
        else runDetail(kind, connection, *department, out);
    } catch (const std::exception& e) {
        out.escaped = std::string(typeid(e).name()) + ": " + e.what();
    } catch (...) {
        out.escaped = "an exception of unknown type";
    }
    return out;
}

}  // namespace tally::testing
