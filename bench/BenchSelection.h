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

// The floor every report is measured against: every line of invoices issued in the
// year, summed per invoice, batch and fee item.
std::string floorStatement(const std::string& year);

}  // namespace tally::bench
