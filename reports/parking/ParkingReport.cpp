#include "ParkingReport.h"

#include "ParkingHeadings.h"
#include "ParkingPage.h"
#include "ParkingStatements.h"
#include "PaymentMethods.h"

namespace tally::reports::parking {
namespace {

// Every item of this report's extraction is a parking item; anything else handed in is left out.
FeeItemList parkingItems(const FeeItemList& items) {
    FeeItemList out;
    for (const auto& item : items)
        if (item.isParking()) out.push_back(item);
    return out;
}

}  // namespace

Extraction ExtractParkingFeeItems(data::Connection& connection, const ReportRequest& request) {
    return ReadFeeItems(connection,
                        parkingExtractionStatement(request.department.departmentCode, request.fromKey, request.toKey));
}

Outcome<std::vector<ParkingRow>> RunParkingStatistics(data::Connection& connection, const ReportRequest& request,
                                                      const FeeItemList& items, const SplitRatioRows& splits) {
    ParkingStatementInput in{
        request.department.departmentCode, request.fromKey, request.toKey, parkingItems(items), {}};
    if (in.items.empty()) return std::vector<ParkingRow>{};
    auto ratios = propertyRatios(in.items, splits);
    if (!ratios.ok()) return ratios.error();
    in.ratios = ratios.value();

    try {
        ParkingRowMerger merger;
        const int itemCount = static_cast<int>(in.items.size());
        for (auto rs = connection.open(parkingStatisticsStatement(in), data::Connection::kNoTimeout); !rs->eof();
             rs->moveNext())
            merger.add(readParkingInvoice(*rs, itemCount));
        std::vector<ParkingRow> rows = merger.takeRows();
        if (rows.empty()) return rows;
        appendParkingTotals(rows, LoadPaymentMethods(connection));
        return rows;
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
}

namespace {

HeadingLayout layoutParkingItemHeadings(const FeeItemList& items, const SplitRatioRows& splits) {
    return LayoutParkingHeadings(parkingItems(items), splits);
}

ResultOutcome runReport(data::Connection& connection, const ReportRequest& request, const FeeItemList& items,
                        const SplitRatioRows& splits) {
    auto rows = RunParkingStatistics(connection, request, items, splits);
    if (!rows.ok()) return rows.error();
    const int valueColumns = 3 * static_cast<int>(parkingItems(items).size());
    return std::shared_ptr<const ReportResult>(std::make_shared<ParkingResult>(std::move(rows.value()), valueColumns));
}

const ReportTexts kTexts{"parking",
                         "frm停车费明细表New",
                         "停车费明细表",
                         "停车费明细表",
                         "停车费统计条件",
                         "收款日期范围",
                         "正在提取停车费项目，请稍等......",
                         "正在进行停车费明细统计，请稍等......",
                         "没有满足条件的开票数据,请重新设置条件!",
                         "停车费明细表导出成功！"};

}  // namespace

ParkingReport::ParkingReport()
    : DetailReportFromParts({kTexts, /*layoutHeadingsBeforeRun=*/true, SetupParkingGrid, layoutParkingItemHeadings,
                             ExtractParkingFeeItems, runReport}) {}

}  // namespace tally::reports::parking
