#include "BenchSelection.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "Departments.h"
#include "SqlText.h"
#include "VatInvoicingReport.h"

namespace tally::bench {
namespace {

std::string yearCondition(const std::string& year) {
    const std::string y = data::escapeSqlText(year);
    return "Convert(Char(8),开票日期,112) Between '" + y + "0101' And '" + y + "1231'";
}

std::chrono::year_month_day dayOfKey(const std::string& key) {
    const bool digits = key.size() == 8 && key.find_first_not_of("0123456789") == std::string::npos;
    const std::chrono::year_month_day day{
        std::chrono::year{digits ? std::stoi(key.substr(0, 4)) : 0},
        std::chrono::month{digits ? static_cast<unsigned>(std::stoi(key.substr(4, 2))) : 0u},
        std::chrono::day{digits ? static_cast<unsigned>(std::stoi(key.substr(6, 2))) : 0u}};
    if (!digits || !day.ok()) throw std::invalid_argument("not a date YYYYMMDD: \"" + key + "\"");
    return day;
}

std::string isoText(const std::chrono::year_month_day& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
                  static_cast<unsigned>(day.day()));
    return text;
}

std::runtime_error failure(const std::string& what, const reports::ReportError& error) {
    return std::runtime_error(what + ": " + error.messageText());
}

}  // namespace

reports::DepartmentEntry busiestDepartment(data::Connection& connection, const std::string& year) {
    auto rs = connection.open("Select 开票部门编号, count(*) As 张数 From 票据 Where " + yearCondition(year) +
                              " Group by 开票部门编号 Order by 张数 Desc, 开票部门编号");
    if (rs->eof()) throw std::runtime_error("no invoice was issued in " + year);
    return departmentByCode(connection, rs->field(0).text());
}

reports::DepartmentEntry departmentByCode(data::Connection& connection, const std::string& code) {
    auto entry = reports::findDepartment(reports::LoadDepartmentList(connection).entries, code);
    if (!entry) throw std::runtime_error("department " + code + " is not in the department list");
    return *entry;
}

std::optional<reports::DepartmentEntry> maintenanceFundDepartment(data::Connection& connection,
                                                                  const std::string& year) {
    reports::vat::VatInvoicingReport report;
    const std::string types = reports::LoadInvoiceTypeList(connection).value();
    for (const auto& entry : reports::LoadDepartmentList(connection).entries) {
        auto extraction = report.extractFeeItems(connection, {entry, year + "0101", year + "1231", types});
        if (!extraction.error && reports::vat::HasMaintenanceFund(extraction.items)) return entry;
    }
    return std::nullopt;
}

std::shared_ptr<const reports::ReportResult> runDetailReport(data::Connection& connection,
                                                             const reports::DetailReport& report,
                                                             const reports::DepartmentEntry& department,
                                                             const std::string& fromKey, const std::string& toKey) {
    reports::ReportRequest request{department, fromKey, toKey, reports::LoadInvoiceTypeList(connection).value()};
    auto extraction = report.extractFeeItems(connection, request);
    if (extraction.error) throw failure("extraction", *extraction.error);
    if (extraction.items.empty()) throw std::runtime_error("the extraction found no fee item");
    auto run = report.run(connection, request, extraction.items, reports::defaultSplitRows(extraction.items));
    if (!run.ok()) throw failure("statistics", run.error());
    if (run.value()->rowCount() == 0) throw std::runtime_error("the statistics found nothing");
    return run.value();
}

reports::reconciliation::ReconciliationRun runYearReconciliation(data::Connection& connection,
                                                                 const reports::DepartmentEntry& department,
                                                                 const std::string& year) {
    namespace rc = reports::reconciliation;
    auto run = rc::RunReconciliation(connection, rc::ReconciliationSelection{year, "01", "12", department});
    if (run.end != rc::RunEnd::Completed || !run.reported.empty())
        throw std::runtime_error("the reconciliation did not complete" +
                                 (run.reported.empty() ? std::string() : ": " + run.reported.front().messageText()));
    return run;
}

std::string isoDay(const std::string& key) { return isoText(dayOfKey(key)); }

std::string isoDayAfter(const std::string& key) {
    return isoText(std::chrono::year_month_day{std::chrono::sys_days{dayOfKey(key)} + std::chrono::days{1}});
}

std::string floorStatement(FloorLines lines, const std::string& departmentCode, const std::string& fromKey,
                           const std::string& toKey) {
    const std::string from = isoDay(fromKey), end = isoDayAfter(toKey);
    // Collected in the period and issued on an earlier day means issued before the period:
    // an invoice issued inside it is already in the first range.
    const std::string period = "((票据.开票日期 >= '" + from + "' And 票据.开票日期 < '" + end + "')" +
                               " Or (票据.收款日期 >= '" + from + "' And 票据.收款日期 < '" + end +
                               "' And 票据.开票日期 < '" + from + "'))";
    return "Select 票据开票数据.票据编号, 票据开票数据.入库单编号, 票据开票数据.收费项目代号,"
           " SUM(票据开票数据.金额) As 金额,"
           " SUM(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End) As 税额"
           " From 票据开票数据"
           " Inner Join 票据 on 票据开票数据.入库单编号 = 票据.入库单编号 And 票据开票数据.票据编号 = 票据.票据编号"
           " Where 票据.开票部门编号 = '" +
           data::escapeSqlText(departmentCode) + "' And " + period +
           (lines == FloorLines::Reconciliation ? " And 票据.作废日期 Is Null" : "") +
           " Group by 票据开票数据.票据编号, 票据开票数据.入库单编号, 票据开票数据.收费项目代号";
}

}  // namespace tally::bench
