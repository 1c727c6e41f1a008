#pragma once
// The steps of a paged detail report (parking, VAT invoicing, VAT pre-invoicing) as both
// front ends take them: the report window between the user's clicks, tallyvane-report
// one after the other. The checks, the order of the steps and every message text live
// here, so the two can never tell the user different things.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"
#include "DetailReport.h"
#include "SelectionRefusal.h"

namespace tally::reports {

inline constexpr const char* kEndDateBeforeStart = "截至日期不能小于开始日期!";
inline constexpr const char* kNothingFound = "无满足统计条件的数据，请重新设置统计条件！";

// "提取收费项目" first checks the selection: a department, then an end date not before
// the start date ("yyyymmdd" keys compare as dates).
std::optional<SelectionRefusal> CheckDetailSelection(bool departmentSelected, const std::string& fromKey,
                                                     const std::string& toKey);

// What an extraction leaves for the next steps.
struct FeeItemExtraction {
    FeeItemList items;                 // items read before an error stay
    std::optional<ReportError> error;  // the database error, if any
    // Only after an extraction without error: the split rows at 70/30 and, when some
    // item was found, the headings laid out for the items.
    std::optional<SplitRatioRows> splits;
    std::optional<HeadingLayout> headings;

    // The messages to tell, in order: the error, then the report's "nothing found"
    // text when no item was read.
    std::vector<ReportError> messages(const DetailReport& report) const;
    // 开始统计 is possible once some item was read, even before an error.
    bool canRun() const { return !items.empty(); }
};

FeeItemExtraction ExtractDetailFeeItems(data::Connection& connection, const DetailReport& report,
                                        const ReportRequest& request);

// What one run of the statistics gives.
struct DetailRun {
    // The percentages the run used, as plain numbers ("30%" -> "30"); none when they were
    // refused, in which case nothing ran and no heading was laid out.
    std::optional<SplitRatioRows> splits;
    // The headings laid out again with the split as it stands, for the reports that do
    // so before every run; they replace the shown ones whatever the run's end.
    std::optional<HeadingLayout> headings;
    // The rows; null after an error.
    std::shared_ptr<const ReportResult> result;
    // A database error or refused percentages; or kNothingFound when the run found no row.
    // Headings are laid out only with percentages that were not refused.
    std::optional<ReportError> error;

    bool found() const { return result && result->rowCount() > 0; }
};

DetailRun RunDetailStatistics(data::Connection& connection, const DetailReport& report, const ReportRequest& request,
                              const FeeItemList& items, const SplitRatioRows& splits);

}  // namespace tally::reports
