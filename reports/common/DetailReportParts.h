#pragma once
// A paged detail report put together from the parts that make it different: its texts,
// its headings, the statement that extracts its fee items and its run. The three detail
// reports differ in nothing else, so each only names its parts.
#include <memory>
#include <string>
#include <utility>

#include "DetailReport.h"

namespace tally::reports {

using ResultOutcome = Outcome<std::shared_ptr<const ReportResult>>;

struct DetailReportParts {
    ReportTexts texts;
    bool layoutHeadingsBeforeRun;
    HeadingLayout (*initialHeadings)();
    HeadingLayout (*layoutHeadings)(const FeeItemList& items, const SplitRatioRows& splits);
    Extraction (*extractFeeItems)(data::Connection& connection, const ReportRequest& request);
    ResultOutcome (*run)(data::Connection& connection, const ReportRequest& request, const FeeItemList& items,
                         const SplitRatioRows& splits);
};

class DetailReportFromParts : public DetailReport {
public:
    explicit DetailReportFromParts(DetailReportParts parts) : parts_(std::move(parts)) {}

    const ReportTexts& texts() const override { return parts_.texts; }
    HeadingLayout initialHeadings() const override { return parts_.initialHeadings(); }
    HeadingLayout layoutHeadings(const FeeItemList& items, const SplitRatioRows& splits) const override {
        return parts_.layoutHeadings(items, splits);
    }
    bool layoutHeadingsBeforeRun() const override { return parts_.layoutHeadingsBeforeRun; }
    Extraction extractFeeItems(data::Connection& connection, const ReportRequest& request) const override {
        return parts_.extractFeeItems(connection, request);
    }
    ResultOutcome run(data::Connection& connection, const ReportRequest& request, const FeeItemList& items,
                      const SplitRatioRows& splits) const override {
        return parts_.run(connection, request, items, splits);
    }

private:
    DetailReportParts parts_;
};

// The fee items an extraction statement lists, one per row. A database error keeps the
// items read before it.
Extraction ReadFeeItems(data::Connection& connection, const std::string& statement);

}  // namespace tally::reports
