#include "PdfSamples.h"

#include <cstdio>

#include "CompleteReconciliation.h"
#include "ParkingHeadings.h"
#include "ParkingPage.h"
#include "PreInvoiceHeadings.h"
#include "PreInvoicePage.h"
#include "PrintTables.h"
#include "ReconciliationHeadings.h"
#include "VatInvoicingHeadings.h"
#include "VatInvoicingReport.h"

namespace tally::testing {

using reports::Cents;
using reports::FeeItemSplit;
using reports::formatCents;

namespace {

FeeItemSplit parkingItem(std::string code, std::string name) {
    return {std::move(code), name, 0.09, "停车", name + "税额"};
}

FeeItemSplit otherItem(std::string code, std::string name) {
    return {std::move(code), name, 0.06, "物业", name + "税额"};
}

std::string invoiceNumber(int k) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08d", 4000 + k);
    return buf;
}

const char* method(int k) { return k % 2 ? "微信支付" : "现金"; }

exports::DetailSheetLabels labels(const std::string& title) {
    return {title, "0101 翠湖管理处【GL01】", "2024-01-01", "2024-12-31"};
}

}  // namespace

PdfSample parkingSample(int invoices) {
    using namespace reports::parking;
    const reports::FeeItemList items = {parkingItem("P1", "停车费月租"), parkingItem("P2", "停车费临时")};
    std::vector<ParkingRow> rows;
    for (int k = 1; k <= invoices; ++k) {
        ParkingRow row;
        row.label = invoiceNumber(k);
        row.paymentMethod = method(k);
        row.amounts = {7000, 3000, 900, 1400, 600, 180};
        row.total = 13080;
        rows.push_back(row);
    }
    appendParkingTotals(rows, {"现金", "微信支付"});
    auto result = std::make_shared<ParkingResult>(std::move(rows), 6);
    const int n = result->rowCount();
    PdfSample sample{"parking",
                     pdf::detailPrintTable(result, LayoutParkingHeadings(items, reports::defaultSplitRows(items)),
                                           labels("【翠湖管理处】停车费明细表")),
                     n,
                     {"序", "发票号", "电子发票号", "停车费月租", "停车费临时", "开发商70%", "物业30%"},
                     "合计",
                     {invoiceNumber(invoices), formatCents(Cents(invoices) * 13080), "总仓管理员:"},
                     nullptr};
    return sample;
}

PdfSample vatSample(int invoices) {
    using namespace reports::vat;
    const reports::FeeItemList items = {parkingItem("P1", "停车费"), otherItem("W1", "物业管理费")};
    std::vector<InvoiceDetailRow> rows;
    for (int k = 1; k <= invoices; ++k) {
        InvoiceDetailRow row;
        row.dateText = "2024-03-05";
        row.ordinaryNumber = invoiceNumber(k);
        row.values = {7000, 3000, 900, 10000, 600};
        row.total = 21500;
        row.methodText = method(k);
        row.payerText = "业主" + std::to_string(k);
        rows.push_back(row);
    }
    appendTotals(rows, 5, {"现金", "微信支付"});
    auto result = std::make_shared<VatInvoicingResult>(std::move(rows), items);
    return {"vat_invoicing",
            pdf::detailPrintTable(result, LayoutResultHeadings(items, reports::defaultSplitRows(items)),
                                  labels("【翠湖管理处】增值税开票明细表")),
            result->rowCount(),
            {"序", "开票日期", "停车费", "物业管理费", "收款方式"},
            "付款人",
            {"业主" + std::to_string(invoices), formatCents(Cents(invoices) * 21500), "缴款人:"},
            nullptr};
}

PdfSample preInvoiceSample(int invoices) {
    using namespace reports::preinvoice;
    const reports::FeeItemList items = {otherItem("W1", "物业管理费"), otherItem("W2", "水费")};
    std::vector<PreInvoiceRow> rows;
    for (int k = 1; k <= invoices; ++k) {
        PreInvoiceRow row;
        row.dateLabel = "2024-03-10";
        row.specialNumber = invoiceNumber(k);
        row.amounts = {10000, 600, 2000, 120};
        row.total = 12720;
        row.paymentText = "预开";
        row.payerText = "业主" + std::to_string(k);
        rows.push_back(row);
    }
    appendPreInvoiceTotals(rows, 4);
    auto result = std::make_shared<PreInvoiceResult>(std::move(rows), 4);
    return {"pre_invoicing",
            pdf::detailPrintTable(result, LayoutPreInvoiceHeadings(items, {}), labels("【翠湖管理处】预开票明细表")),
            result->rowCount(),
            {"序", "物业管理费", "水费"},
            "付款人",
            {"业主" + std::to_string(invoices), formatCents(Cents(invoices) * 12720), "缴款人:"},
            nullptr};
}

// Each month a row at 6 % and one at 9 %, closed by its subtotal; then the differences
// and the grand total as the report completes them.
PdfSample reconciliationSample(int months) {
    using namespace reports::reconciliation;
    const int itemCount = 2;
    ReconciliationFeeItems items = {{"'F01'", "物业管理费", 0.06}, {"'F02'", "停车费", 0.09}};
    auto table = std::make_shared<ReconciliationTable>();
    SetReconciliationHeadings(*table, items);
    const ReconciliationColumns col{itemCount};
    Cents grand = 0;
    for (int m = 0; m < months; ++m) {
        char month[32];
        std::snprintf(month, sizeof month, "%04d%02d", 2000 + m / 12, m % 12 + 1);
        const int first = table->rowCount();
        for (const char* rate : {"0.06", "0.09"}) {
            const int r = table->appendRow();
            table->setText(r, col.kNumber, ReconciliationTable::runningNumber(r));
            table->setText(r, col.kMonth, month);
            table->setText(r, col.kRate, rate);
            table->setText(r, col.kSpecialNet, formatCents(10000));
            table->setText(r, col.item(1), formatCents(10000));
            table->setText(r, col.handOverTotal(), formatCents(10000));
            grand += 10000;
        }
        const int s = table->appendRow();
        table->setText(s, col.kNumber, ReconciliationTable::runningNumber(s));
        table->setText(s, col.kMonth, month);
        table->setText(s, col.kRate, kSubtotalMark);
        for (int c = col.kSpecialNet; c <= col.handOverTotal(); ++c) {
            Cents sum = 0;
            for (int row = first; row < s; ++row) sum += table->value(row, c);
            table->setCell(s, c, formatCents(sum), kSubtotalColour);
        }
    }
    CompleteReconciliation(*table, itemCount);
    return {"reconciliation",
            pdf::reconciliationPrintTable(
                *table, {"2024年度【翠湖管理处】票据核对表", "0101 翠湖管理处【GL01】", "2024", "01", "12"}),
            table->rowCount() - ReconciliationTable::kHeadingRows,
            {"序", "开票年月", "税率", "物业管理费", "停车费"},
            "备注",
            {kTotalMark, formatCents(grand), "核对结果"},
            table};
}

}  // namespace tally::testing
