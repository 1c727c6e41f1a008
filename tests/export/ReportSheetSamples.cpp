#include "ReportSheetSamples.h"

#include "CompleteReconciliation.h"
#include "ParkingHeadings.h"
#include "PreInvoiceHeadings.h"
#include "ReconciliationHeadings.h"
#include "VatInvoicingHeadings.h"

namespace tally::testing {

using reports::Cents;
using reports::FeeItemSplit;

namespace {

FeeItemSplit parkingItem(std::string code, std::string name) {
    return {std::move(code), name, 0.09, "停车", name + "税额"};
}

FeeItemSplit otherItem(std::string code, std::string name) {
    return {std::move(code), name, 0.06, "物业", name + "税额"};
}

reports::vat::InvoiceDetailRow vatInvoice(std::string date, std::string special, std::string ordinary,
                                          std::vector<Cents> values, std::string method, std::string payer) {
    reports::vat::InvoiceDetailRow row;
    row.dateText = std::move(date);
    row.specialNumber = std::move(special);
    row.ordinaryNumber = std::move(ordinary);
    row.receiptNumber = "";
    row.electronicNumber = "";
    for (Cents v : values) row.total += v;
    row.values = std::move(values);
    row.methodText = std::move(method);
    row.payerText = std::move(payer);
    return row;
}

reports::preinvoice::PreInvoiceRow preInvoice(std::string date, std::string special, std::string ordinary,
                                              std::vector<Cents> amounts, std::string payer) {
    reports::preinvoice::PreInvoiceRow row;
    row.dateLabel = std::move(date);
    row.specialNumber = std::move(special);
    row.ordinaryNumber = std::move(ordinary);
    for (Cents a : amounts) row.total += a;
    row.amounts = std::move(amounts);
    row.paymentText = "预开";
    row.payerText = std::move(payer);
    return row;
}

}  // namespace

exports::DetailSheetLabels sampleLabels(const std::string& title) {
    return {title, "0101 翠湖管理处【GL01】", "2024-03-01", "2024-03-31"};
}

exports::ReconciliationSheetLabels sampleReconciliationLabels() {
    return {"2024年度【翠湖管理处】票据核对表", "0101 翠湖管理处【GL01】", "2024", "01", "02"};
}

ParkingSample parkingWithTwoItems() {
    using namespace reports::parking;
    reports::FeeItemList items = {parkingItem("P1", "停车费"), parkingItem("P2", "月租停车")};
    std::vector<ParkingRow> rows;
    ParkingRow paper;
    paper.label = "00012345";
    paper.paymentMethod = "现金";
    paper.amounts = {7000, 3000, 900, 1400, 600, 180};
    paper.total = 13080;
    rows.push_back(paper);
    ParkingRow electronic;
    electronic.label = "0001 - 0002";
    electronic.paymentMethod = "微信支付";
    electronic.electronic = true;
    electronic.amounts = {10500, 4500, 1350, 0, 0, 0};
    electronic.total = 16350;
    rows.push_back(electronic);
    appendParkingTotals(rows, {"现金", "微信支付"});
    auto headings = LayoutParkingHeadings(items, reports::defaultSplitRows(items));
    return {ParkingResult(std::move(rows), 6), items, headings};
}

VatSample vatWithOneOtherItem() {
    using namespace reports::vat;
    reports::FeeItemList items = {otherItem("W1", "物业管理费")};
    std::vector<InvoiceDetailRow> rows;
    rows.push_back(vatInvoice("2024-03-05", "", "00001234", {10000, 600}, "现金", "张三 3号楼"));
    auto voided = vatInvoice("2024-03-06", "0456", "", {0, 0}, "作废", "");
    voided.voided = true;
    rows.push_back(voided);
    rows.push_back(vatInvoice("2024-03-07", "", "00001236", {5000, 300}, "微信支付", "李四"));
    appendTotals(rows, 2, {"现金", "微信支付"});
    auto headings = LayoutResultHeadings(items, {});
    return {VatInvoicingResult(std::move(rows), items), headings};
}

VatSample vatWithParkingAndOtherItem() {
    using namespace reports::vat;
    reports::FeeItemList items = {parkingItem("P1", "停车费"), otherItem("W1", "物业管理费")};
    std::vector<InvoiceDetailRow> rows;
    rows.push_back(vatInvoice("2024-03-05", "", "00000001", {7000, 3000, 900, 10000, 600}, "现金", "王五"));
    // A 20-digit electronic invoice number wraps in its column.
    rows.back().electronicNumber = "24442000000012345678";
    appendTotals(rows, 5, {"现金"});
    // The grid was laid out at 70/30 when the items were extracted.
    auto headings = LayoutResultHeadings(items, reports::defaultSplitRows(items));
    return {VatInvoicingResult(std::move(rows), items), headings};
}

PreInvoiceSample preInvoiceWithOneInvoice() {
    using namespace reports::preinvoice;
    reports::FeeItemList items = {parkingItem("P1", "停车费")};
    std::vector<PreInvoiceRow> rows = {preInvoice("2024-03-10", "00000789", "", {7000, 3000, 900}, "李四 3号楼")};
    appendPreInvoiceTotals(rows, 3);
    auto headings = LayoutPreInvoiceHeadings(items, reports::defaultSplitRows(items));
    return {PreInvoiceResult(std::move(rows), 3), items, headings};
}

PreInvoiceSample preInvoiceWithTwoOtherItems() {
    using namespace reports::preinvoice;
    reports::FeeItemList items = {otherItem("W1", "物业管理费"), otherItem("W2", "水费")};
    std::vector<PreInvoiceRow> rows = {
        preInvoice("2024-03-10", "", "0000123", {10000, 600, 2000, 120}, "赵六"),
        preInvoice("2024-03-11", "0042", "", {0, 0, 3000, 180},
                   "翠湖花园业主委员会（代收代付）第三期十二号楼二单元全体业主及商铺租户"),
    };
    appendPreInvoiceTotals(rows, 4);
    auto headings = LayoutPreInvoiceHeadings(items, {});
    return {PreInvoiceResult(std::move(rows), 4), items, headings};
}

reports::reconciliation::ReconciliationTable reconciliationWithItems(int itemCount) {
    using namespace reports::reconciliation;
    ReconciliationFeeItems items;
    for (int k = 1; k <= itemCount; ++k)
        items.push_back({"'F0" + std::to_string(k) + "'", "项目" + std::to_string(k), 0.06});
    ReconciliationTable table;
    SetReconciliationHeadings(table, items);
    const ReconciliationColumns col{itemCount};

    // Two months: 202401 with rates 0.06 and 0.09, 202402 with 0.06; each closed by its subtotal.
    struct Detail {
        const char* month;
        const char* rate;
        Cents special, ordinary;
    };
    const Detail details[] = {
        {"202401", "0.06", 10000, 5300}, {"202401", "0.09", 0, 1090}, {"202402", "0.06", 2120, 0}};
    for (std::size_t i = 0; i < std::size(details); ++i) {
        const Detail& d = details[i];
        const int r = table.appendRow();
        table.setText(r, col.kNumber, ReconciliationTable::runningNumber(r));
        table.setText(r, col.kMonth, d.month);
        table.setText(r, col.kRate, d.rate);
        table.setText(r, col.kSpecialNet, reports::formatCents(d.special));
        table.setText(r, col.kOrdinaryNet, reports::formatCents(d.ordinary));
        // The first item takes the whole hand-over; the others stay empty.
        const Cents handOver = d.special + d.ordinary;
        table.setText(r, col.item(1), reports::formatCents(handOver));
        table.setText(r, col.handOverTotal(), reports::formatCents(handOver));
        const bool lastOfMonth = i + 1 == std::size(details) || std::string(details[i + 1].month) != d.month;
        if (!lastOfMonth) continue;
        const int s = table.appendRow();
        table.setText(s, col.kNumber, ReconciliationTable::runningNumber(s));
        table.setText(s, col.kMonth, d.month);
        table.setText(s, col.kRate, kSubtotalMark);
        for (int c = col.kSpecialNet; c <= col.handOverTotal(); ++c) {
            Cents sum = 0;
            for (int row = ReconciliationTable::kHeadingRows; row < s; ++row)
                if (table.text(row, col.kMonth) == d.month && table.text(row, col.kRate) != kSubtotalMark)
                    sum += table.value(row, c);
            table.setCell(s, c, reports::formatCents(sum), kSubtotalColour);
        }
    }
    CompleteReconciliation(table, itemCount);
    return table;
}

}  // namespace tally::testing
