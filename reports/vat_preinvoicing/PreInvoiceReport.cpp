#include "PreInvoiceReport.h"

#include "PaymentMethods.h"
#include "PreInvoiceHeadings.h"
#include "PreInvoicePage.h"
#include "PreInvoiceStatements.h"

namespace tally::reports::preinvoice {

Extraction ExtractPreInvoiceFeeItems(data::Connection& connection, const ReportRequest& request) {
    return ReadFeeItems(connection, preInvoiceExtractionStatement(request.department.departmentCode, request.fromKey,
                                                                  request.toKey, request.invoiceTypeList));
}

Outcome<std::vector<PreInvoiceRow>> RunPreInvoiceStatistics(data::Connection& connection, const ReportRequest& request,
                                                            const FeeItemList& items, const SplitRatioRows& splits) {
    if (items.empty()) return std::vector<PreInvoiceRow>{};
    auto ratios = propertyRatios(items, splits);
    if (!ratios.ok()) return ratios.error();
    PreInvoiceStatementInput in{request.department.departmentCode, request.fromKey, request.toKey,
                                request.invoiceTypeList,           items,           ratios.value()};
    std::vector<PreInvoiceRow> rows;
    try {
        for (auto rs = connection.open(preInvoiceStatisticsStatement(in), data::Connection::kNoTimeout); !rs->eof();
             rs->moveNext())
            rows.push_back(readPreInvoiceRow(*rs, items));
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
    if (!rows.empty()) appendPreInvoiceTotals(rows, valueColumnCount(items));
    return rows;
}

namespace {

ResultOutcome runReport(data::Connection& connection, const ReportRequest& request, const FeeItemList& items,
                        const SplitRatioRows& splits) {
    auto rows = RunPreInvoiceStatistics(connection, request, items, splits);
    if (!rows.ok()) return rows.error();
    return std::shared_ptr<const ReportResult>(
        std::make_shared<PreInvoiceResult>(std::move(rows.value()), valueColumnCount(items)));
}

const ReportTexts kTexts{"pre-invoicing",
                         "frm票据预开明细表New",
                         "增值税预开票明细表",
                         "增值税预开票明细表",
                         "增值税预开票统计条件",
                         "开票日期范围",
                         "正在提取收费项目，请稍等......",
                         "正在进行增值税预开票明细统计，请稍等......",
                         "没有满足条件的预开票数据,请重新设置条件!",
                         "增值税预开票明细表导出成功！"};

}  // namespace

PreInvoiceReport::PreInvoiceReport()
    : DetailReportFromParts({kTexts, /*layoutHeadingsBeforeRun=*/true, SetupPreInvoiceGrid, LayoutPreInvoiceHeadings,
                             ExtractPreInvoiceFeeItems, runReport}) {}

}  // namespace tally::reports::preinvoice
