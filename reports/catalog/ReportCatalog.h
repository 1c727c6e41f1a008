#pragma once
// The detail reports by their command-line kind names.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DetailReport.h"

namespace tally::reports {

// nullptr for a kind that is not a paged detail report.
std::unique_ptr<DetailReport> makeDetailReport(std::string_view kind);
std::vector<std::string> detailReportKinds();

}  // namespace tally::reports
