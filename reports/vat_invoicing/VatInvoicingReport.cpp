#include "VatInvoicingReport.h"

#include "LineShares.h"
#include "PaymentMethods.h"
#include "PerInvoiceRows.h"
#include "VatInvoicingHeadings.h"
#include "VatInvoicingStatements.h"

namespace tally::reports::vat {
namespace {

GridCell centred(std::string text) { return {std::move(text), CellAlign::Centre}; }
GridCell right(std::string text) { return {std::move(text), CellAlign::Right}; }

}  // namespace

VatInvoicingResult::VatInvoicingResult(std::vector<InvoiceDetailRow> rows, FeeItemList items)
    : rows_(std::move(rows)), items_(std::move(items)), valueColumns_(tally::reports::valueColumnCount(items_)) {}

DrawnRow VatInvoicingResult::drawRow(int index) const {
    const InvoiceDetailRow& row = rows_.at(index);
    const int v = valueColumns_;
    DrawnRow drawn;
    drawn.cells.resize(v + 9);
    drawn.cells[0] = centred(std::to_string(index + 1));
    if (row.isPaymentMethodRow()) {
        drawn.cells[1] = centred(row.dateText);
        drawn.cells[v + 6] = right(formatCents(row.total));
        drawn.cells[v + 7] = {row.methodText, CellAlign::General};
        return drawn;
    }
    drawn.cells[1] = centred(row.dateText);
    drawn.cells[2] = centred(row.specialNumber);
    drawn.cells[3] = centred(row.ordinaryNumber);
    drawn.cells[4] = centred(row.electronicNumber);
    drawn.cells[5] = centred(row.receiptNumber);
    for (int j = 0; j < v; ++j)
        drawn.cells[6 + j] = right(formatCents(j < static_cast<int>(row.values.size()) ? row.values[j] : 0));
    drawn.cells[v + 6] = right(formatCents(row.total));
    drawn.cells[v + 7] = {row.methodText, CellAlign::General};
    drawn.cells[v + 8] = {row.payerText, CellAlign::Left};
    drawn.wrapColumn = v + 8;
    return drawn;
}

bool HasMaintenanceFund(const FeeItemList& items) {
    for (const auto& item : items)
        if (item.cleanedName == "维修基金") return true;
    return false;
}

VatRowForm rowFormFor(const FeeItemList& items) {
    return HasMaintenanceFund(items) ? VatRowForm::LineByLine : VatRowForm::PerInvoice;
}

ResultOutcome RunVatInvoicing(data::Connection& connection, const ReportRequest& request, const FeeItemList& items,
                              const SplitRatioRows& splits, VatRowForm form) {
    auto ratios = propertyRatios(items, splits);
    if (!ratios.ok()) return ratios.error();
    StatementInput in{request.department.departmentCode, request.fromKey, request.toKey,
                      request.invoiceTypeList,           items,           ratios.value()};
    RowContext context{&items, request.fromKey.substr(0, 6), request.toKey, ValueColumnLayout(items)};
    std::vector<InvoiceDetailRow> rows;
    try {
        if (form == VatRowForm::PerInvoice) {
            rows = readPerInvoiceRows(connection, in, context);
        } else {
            auto rs = connection.open(perLineStatement(in), data::Connection::kNoTimeout);
            // the line rows of one invoice follow each other: number and batch name it
            std::string invoice;
            std::size_t invoiceStart = 0;
            for (; !rs->eof(); rs->moveNext()) {
                std::string key = rs->field(0).text() + '\x1f' + rs->field(1).text();
                if (key != invoice) {
                    spreadParkingShares(rows.begin() + invoiceStart, rows.end(), items, in.ratios);
                    invoice = std::move(key);
                    invoiceStart = rows.size();
                }
                rows.push_back(buildInvoiceRow(*rs, context));
                rows.back().lineRow = static_cast<int>(rows.size() - invoiceStart);
            }
            spreadParkingShares(rows.begin() + invoiceStart, rows.end(), items, in.ratios);
        }
        if (!rows.empty()) appendTotals(rows, context.layout.columnCount, LoadPaymentMethods(connection));
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
    return std::shared_ptr<const ReportResult>(std::make_shared<VatInvoicingResult>(std::move(rows), items));
}

namespace {

HeadingLayout initialVatHeadings() { return LayoutResultHeadings({}, {}); }

Extraction extractVatFeeItems(data::Connection& connection, const ReportRequest& request) {
    return ReadFeeItems(connection,
                        extractionStatement(request.department.departmentCode, request.fromKey, request.toKey));
}

ResultOutcome runReport(data::Connection& connection, const ReportRequest& request, const FeeItemList& items,
                        const SplitRatioRows& splits) {
    return RunVatInvoicing(connection, request, items, splits, rowFormFor(items));
}

const ReportTexts kTexts{"vat-invoicing",
                         "frm票据开票明细表New",
                         "增值税开票明细表",
                         "增值税开票明细表",
                         "增值税开票统计条件",
                         "开票日期范围",
                         "正在提取收费项目，请稍等......",
                         "正在进行增值税开票明细统计，请稍等......",
                         "没有满足条件的开票数据,请重新设置条件!",
                         "增值税开票明细表导出成功！"};

}  // namespace

// The headings are laid out again before each run, so that they name the split it used.
VatInvoicingReport::VatInvoicingReport()
    : DetailReportFromParts({kTexts, /*layoutHeadingsBeforeRun=*/true, initialVatHeadings, LayoutResultHeadings,
                             extractVatFeeItems, runReport}) {}

}  // namespace tally::reports::vat
