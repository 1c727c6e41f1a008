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
    Extraction extraction;
    try {
        auto rs = connection.open(
            parkingExtractionStatement(request.department.departmentCode, request.fromKey, request.toKey), data::Connection::kNoTimeout);
        for (; !rs->eof(); rs->moveNext()) extraction.items.push_back(feeItemFromRow(*rs));
    } catch (const data::DbError& e) {
        extraction.error = ReportError::fromDb(e);
    }
    return extraction;
}

Outcome<std::vector<ParkingRow>> RunParkingStatistics(data::Connection& connection, const ReportRequest& request,
                                                      const FeeItemList& items, const SplitRatioRows& splits) {
    ParkingStatementInput in{request.department.departmentCode, request.fromKey, request.toKey, parkingItems(items), {}};
    if (in.items.empty()) return std::vector<ParkingRow>{};
    auto ratios = propertyRatios(in.items, splits);
    if (!ratios.ok()) return ratios.error();
    in.ratios = ratios.value();

    try {
        ParkingRowMerger merger;
        const int itemCount = static_cast<int>(in.items.size());
        for (auto rs = connection.open(parkingStatisticsStatement(in), data::Connection::kNoTimeout); !rs->eof(); rs->moveNext())
            merger.add(readParkingInvoice(*rs, itemCount));
        std::vector<ParkingRow> rows = merger.takeRows();
        if (rows.empty()) return rows;
        appendParkingTotals(rows, LoadPaymentMethods(connection));
        return rows;
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
}

const ReportTexts& ParkingReport::texts() const {
    static const ReportTexts texts{
        "parking",
        "frm停车费明细表New",
        "停车费明细表",
        "停车费明细表",
        "停车费统计条件",
        "收款日期范围",
        "正在提取停车费项目，请稍等......",
        "正在进行停车费明细统计，请稍等......",
        "没有满足条件的开票数据,请重新设置条件!",
        "停车费明细表导出成功！",
    };
    return texts;
}

HeadingLayout ParkingReport::initialHeadings() const { return SetupParkingGrid(); }

HeadingLayout ParkingReport::layoutHeadings(const FeeItemList& items, const SplitRatioRows& splits) const {
    return LayoutParkingHeadings(parkingItems(items), splits);
}

Extraction ParkingReport::extractFeeItems(data::Connection& connection, const ReportRequest& request) const {
    return ExtractParkingFeeItems(connection, request);
}

Outcome<std::shared_ptr<const ReportResult>> ParkingReport::run(data::Connection& connection,
                                                                const ReportRequest& request,
                                                                const FeeItemList& items,
                                                                const SplitRatioRows& splits) const {
    auto rows = RunParkingStatistics(connection, request, items, splits);
    if (!rows.ok()) return rows.error();
    const int valueColumns = 3 * static_cast<int>(parkingItems(items).size());
    return std::shared_ptr<const ReportResult>(std::make_shared<ParkingResult>(std::move(rows.value()), valueColumns));
}

}  // namespace tally::reports::parking
