#include "DetailReportFlow.h"

namespace tally::reports {

std::optional<SelectionRefusal> CheckDetailSelection(bool departmentSelected, const std::string& fromKey,
                                                     const std::string& toKey) {
    if (!departmentSelected) return SelectionRefusal{ReportError::refused(kNoDepartmentSelected), false};
    if (toKey < fromKey) return SelectionRefusal{ReportError::refused(kEndDateBeforeStart), true};
    return std::nullopt;
}

std::vector<ReportError> FeeItemExtraction::messages(const DetailReport& report) const {
    std::vector<ReportError> out;
    if (error) out.push_back(*error);
    if (items.empty()) out.push_back(ReportError::refused(report.texts().noFeeItems));
    return out;
}

FeeItemExtraction ExtractDetailFeeItems(data::Connection& connection, const DetailReport& report,
                                        const ReportRequest& request) {
    Extraction read = report.extractFeeItems(connection, request);
    FeeItemExtraction extraction;
    extraction.items = std::move(read.items);
    extraction.error = std::move(read.error);
    // After an error the window keeps its grids as they were.
    if (extraction.error) return extraction;
    extraction.splits = defaultSplitRows(extraction.items);
    if (!extraction.items.empty()) extraction.headings = report.layoutHeadings(extraction.items, *extraction.splits);
    return extraction;
}

DetailRun RunDetailStatistics(data::Connection& connection, const DetailReport& report, const ReportRequest& request,
                              const FeeItemList& items, const SplitRatioRows& splits) {
    DetailRun run;
    auto used = splitsForRun(splits);
    if (!used.ok()) {
        run.error = used.error();
        return run;
    }
    run.splits = std::move(used.value());
    if (report.layoutHeadingsBeforeRun()) run.headings = report.layoutHeadings(items, *run.splits);
    auto outcome = report.run(connection, request, items, *run.splits);
    if (!outcome.ok()) {
        run.error = outcome.error();
        return run;
    }
    run.result = outcome.value();
    if (!run.found()) run.error = ReportError::refused(kNothingFound);
    return run;
}

}  // namespace tally::reports
