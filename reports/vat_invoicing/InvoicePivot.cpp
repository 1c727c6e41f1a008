#include "InvoicePivot.h"

#include "ItemColumnsSql.h"

namespace tally::reports::vat {
namespace {

constexpr int kInvoiceFields = 11;  // 票据编号 ... 被换票票据编号
constexpr int kExchangeField = 10;
constexpr int kCodeField = 11, kNetField = 12, kTaxField = 13;

// Number and batch name an invoice; Null stays apart from any text.
std::string invoiceKey(const data::Recordset& lines) {
    std::string key;
    for (int f : {0, 1}) {
        const data::Value& v = lines.field(f);
        key += v.isNull() ? std::string("\x01") : "\x02" + v.text();
        key += '\x1f';
    }
    return key;
}

// Two sums of one item on one invoice come only from an invoice stored twice: they add up,
// as the lines did when they were summed per invoice.
void addTo(data::Value& sum, const data::Value& value) {
    if (value.isNull()) return;
    if (sum.isNull()) sum = value;
    else sum = data::Value::fromReal(sum.number() + value.number());
}

data::Value zeroUnlessNull(const data::Value& v) { return v.isNull() ? data::Value() : data::Value::fromInteger(0); }

}  // namespace

InvoicePivot::InvoicePivot(std::unique_ptr<data::Recordset> lines, const FeeItemList& items,
                           const std::vector<std::string>& ratios)
    : lines_(std::move(lines)), items_(items) {
    std::vector<std::string> names;
    for (int f = 0; f < kInvoiceFields; ++f) names.push_back(lines_->fieldName(f));
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const FeeItemSplit& item = items_[i];
        names.push_back(netColumnName(item));
        if (item.isParking()) names.push_back(propertyColumnName(item));
        names.push_back(taxColumnName(item));
        ratios_.push_back(item.isParking() ? propertyRatioValue(ratios.at(i)) : 0);
        if (!item.code.empty()) itemsByCode_[item.code].push_back(i);
    }
    start(std::move(names));
}

bool InvoicePivot::fetchRow(std::vector<data::Value>& row) {
    while (!lines_->eof()) {
        const std::string key = invoiceKey(*lines_);
        std::vector<data::Value> invoice;
        for (int f = 0; f < kInvoiceFields; ++f) invoice.push_back(lines_->field(f));
        std::vector<data::Value> net(items_.size()), tax(items_.size());
        std::vector<bool> hasLines(items_.size(), false);
        for (; !lines_->eof() && invoiceKey(*lines_) == key; lines_->moveNext()) {
            auto found = itemsByCode_.find(lines_->field(kCodeField).text());
            if (found == itemsByCode_.end()) continue;
            for (std::size_t i : found->second) {
                addTo(net[i], lines_->field(kNetField));
                addTo(tax[i], lines_->field(kTaxField));
                hasLines[i] = true;
            }
        }
        bool anyAmount = false;
        for (const auto& v : net) anyAmount = anyAmount || !v.isNull();
        if (!anyAmount) continue;

        const bool exchange = !invoice[kExchangeField].isNull();
        row = std::move(invoice);
        for (std::size_t i = 0; i < items_.size(); ++i) {
            row.push_back(exchange ? zeroUnlessNull(net[i]) : net[i]);
            if (items_[i].isParking()) {
                if (exchange || net[i].isNull()) row.push_back(zeroUnlessNull(net[i]));
                else row.push_back(data::Value::fromReal(net[i].number() * ratios_[i]));
                row.push_back(tax[i]);
            } else {
                row.push_back(!exchange ? tax[i] : hasLines[i] ? data::Value::fromInteger(0) : data::Value());
            }
        }
        return true;
    }
    return false;
}

std::unique_ptr<data::Recordset> OpenPerInvoiceRows(data::Connection& connection, const StatementInput& in) {
    return std::make_unique<InvoicePivot>(connection.open(perInvoiceLinesStatement(in), data::Connection::kNoTimeout),
                                          in.items, in.ratios);
}

}  // namespace tally::reports::vat
