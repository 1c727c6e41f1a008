#include "ParkingRows.h"

#include "ParkingStatements.h"
#include "ValueColumns.h"

namespace tally::reports::parking {
namespace {

std::string trimmed(std::string text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string dateTimeText(const data::Value& value) {
    auto date = value.date();
    return date ? date->isoText() : value.text();
}

Cents sum(const std::vector<Cents>& amounts) {
    Cents total = 0;
    for (Cents a : amounts) total += a;
    return total;
}

// The list names the method 微信支付; some rows were entered as 微信.
std::string methodForTotals(const std::string& method) { return method == "微信" ? "微信支付" : method; }

}  // namespace

std::string ParkingRow::kindText() const { return electronic ? "电子" : "纸质"; }

ParkingInvoice readParkingInvoice(const data::Recordset& rs, int itemCount) {
    ParkingInvoice invoice;
    invoice.number = rs.field(0).text();
    invoice.batch = rs.field(1).text();
    invoice.collectedAt = dateTimeText(rs.field(2));
    invoice.paymentMethod = trimmed(rs.field(4).text());
    invoice.electronic = !rs.field(5).isNull();
    for (int i = 0; i < itemCount; ++i) {
        const int at = kParkingFirstValueField + 3 * i;
        const Cents property = centsOf(rs.field(at + 1));
        invoice.amounts.push_back(developerShare(rs.field(at), property));
        invoice.amounts.push_back(property);
        invoice.amounts.push_back(centsOf(rs.field(at + 2)));
    }
    return invoice;
}

void ParkingRowMerger::add(const ParkingInvoice& invoice) {
    const bool sameRow = !rows_.empty() && invoice.batch == batch_ && invoice.collectedAt == collectedAt_;
    if (!sameRow) {
        ParkingRow row;
        row.label = invoice.number;
        row.paymentMethod = invoice.paymentMethod;
        row.electronic = invoice.electronic;
        row.amounts = invoice.amounts;
        row.total = sum(row.amounts);
        row.invoices.push_back({invoice.number, invoice.batch});
        rows_.push_back(std::move(row));
        batch_ = invoice.batch;
        collectedAt_ = invoice.collectedAt;
        firstNumber_ = invoice.number;
        return;
    }
    ParkingRow& row = rows_.back();
    row.label = firstNumber_ + " - " + invoice.number;
    row.electronic = invoice.electronic;
    row.invoices.push_back({invoice.number, invoice.batch});
    for (std::size_t k = 0; k < row.amounts.size() && k < invoice.amounts.size(); ++k)
        row.amounts[k] += invoice.amounts[k];
    row.total = sum(row.amounts);
}

bool countsForMethod(const ParkingRow& row, const std::string& method) {
    return row.rowKind == ParkingRowKind::Detail && methodForTotals(row.paymentMethod) == method;
}

void appendParkingTotals(std::vector<ParkingRow>& rows, const std::vector<std::string>& methods) {
    const std::size_t details = rows.size();
    ParkingRow grand;
    grand.rowKind = ParkingRowKind::GrandTotal;
    grand.label = "合计";
    for (std::size_t r = 0; r < details; ++r) grand.total += rows[r].total;
    rows.push_back(std::move(grand));

    bool first = true;
    for (const auto& method : methods) {
        Cents methodSum = 0;
        for (std::size_t r = 0; r < details; ++r)
            if (countsForMethod(rows[r], method)) methodSum += rows[r].total;
        if (methodSum == 0) continue;
        ParkingRow row;
        row.rowKind = ParkingRowKind::PaymentMethod;
        row.label = first ? "其中" : "";
        row.paymentMethod = method;
        row.total = methodSum;
        rows.push_back(std::move(row));
        first = false;
    }
}

}  // namespace tally::reports::parking
