#pragma once
// The selections the benchmarks run with, found in the database itself so that they
// follow the demo generator: the busiest department of a year, the department whose
// fee items include 维修基金 (its VAT report runs line by line), and the runs themselves
// made the way the report window's commands make them.
#include <memory>
#include <optional>
#include <string>

#include "Connection.h"
#include "DetailReport.h"
#include "ReconciliationRun.h"

namespace tally::bench {

// The department with the most invoices issued in the year ("2026"); throws when there is none.
reports::DepartmentEntry busiestDepartment(data::Connection& connection, const std::string& year);

// The department of that code (its first office); throws when the list has none.
reports::DepartmentEntry departmentByCode(data::Connection& connection, const std::string& code);

// A department whose VAT invoicing extraction over the year finds a 维修基金 item.
std::optional<reports::DepartmentEntry> maintenanceFundDepartment(data::Connection& connection,
                                                                  const std::string& year);

// Extraction, default 70/30 splits, statistics: what 提取收费项目 then 开始统计 do.
// Throws std::runtime_error when a step reports an error or nothing is found.
std::shared_ptr<const reports::ReportResult> runDetailReport(data::Connection& connection,
                                                             const reports::DetailReport& report,
                                                             const reports::DepartmentEntry& department,
                                                             const std::string& fromKey, const std::string& toKey);

// The reconciliation of the year's twelve months; throws when the run does not complete.
reports::reconciliation::ReconciliationRun runYearReconciliation(data::Connection& connection,
                                                                 const reports::DepartmentEntry& department,
                                                                 const std::string& year);

// Which lines a floor statement sums.
enum class FloorLines {
    Invoicing,       // what the VAT invoicing report selects: voided invoices too
    Reconciliation,  // what the reconciliation selects: voided invoices left out
};

// The floor a report is measured against: the lines of the department's invoices issued
// in the period, or collected in it and issued earlier, summed per invoice, batch and fee
// item by one plain statement. The period's first and last days are keys "YYYYMMDD"; the
// dates are tested as ranges, so the department's date index is sought, never scanned.
// Throws std::invalid_argument when a key is not a valid date.
std::string floorStatement(FloorLines lines, const std::string& departmentCode, const std::string& fromKey,
                           const std::string& toKey);

// "YYYYMMDD" as the date text the database holds, "YYYY-MM-DD", and the day after it;
// throws std::invalid_argument when the key is not a valid date.
std::string isoDay(const std::string& key);
std::string isoDayAfter(const std::string& key);

}  // namespace tally::bench
