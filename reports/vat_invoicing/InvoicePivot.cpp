#include "InvoicePivot.h"

#include <algorithm>

#include "ItemColumnsSql.h"

namespace tally::reports::vat {
namespace {

constexpr int kInvoiceFields = 11;  // 票据编号 ... 被换票票据编号
constexpr int kExchangeField = 10;
constexpr int kCodeField = 2, kNetField = 3, kTaxField = 4;  // of a line

// Number and batch name an invoice; `key` keeps its room from one row to the next.
void readInvoiceKey(const data::Recordset& rs, std::string& key) {
    key.clear();
    for (int f : {0, 1}) {
        if (const std::string* text = rs.field(f).textField()) key += *text;
        else key += rs.field(f).text();
        key += '\x1f';
    }
}

// Lines join an invoice by number and batch with "=", which Null never passes.
bool hasKey(const data::Recordset& invoice) { return !invoice.field(0).isNull() && !invoice.field(1).isNull(); }

data::Value zeroUnlessNull(const data::Value& v) { return v.isNull() ? data::Value() : data::Value::fromInteger(0); }

// Copies a field into the row, into the room its text had on the row before.
void copyField(data::Value& to, const data::Value& from) {
    if (const std::string* text = from.textField()) to.assignText(*text);
    else to = from;
}

}  // namespace

InvoicePivot::InvoicePivot(data::Connection& connection, const StatementInput& in) : items_(in.items) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        parking_.push_back(items_[i].isParking());
        ratios_.push_back(parking_[i] ? propertyRatioValue(in.ratios.at(i)) : 0);
        if (!items_[i].code.empty()) itemsByCode_[items_[i].code].push_back(i);
    }
    sumLines(*connection.open(itemLinesStatement(in), data::Connection::kNoTimeout));

    invoices_ = connection.open(invoicesStatement(in), data::Connection::kNoTimeout);
    std::vector<std::string> names;
    for (int f = 0; f < kInvoiceFields; ++f) names.push_back(invoices_->fieldName(f));
    for (std::size_t i = 0; i < items_.size(); ++i) {
        firstColumn_.push_back(static_cast<int>(names.size()));
        names.push_back(netColumnName(items_[i]));
        if (parking_[i]) names.push_back(propertyColumnName(items_[i]));
        names.push_back(taxColumnName(items_[i]));
    }
    start(std::move(names));
}

void InvoicePivot::sumLines(data::Recordset& lines) {
    std::string key, code;
    InvoiceSums* invoice = nullptr;  // of the last line: the lines of an invoice mostly come together
    std::string invoiceOfLast;
    for (; !lines.eof(); lines.moveNext()) {
        code = lines.field(kCodeField).text();
        auto found = itemsByCode_.find(code);
        if (found == itemsByCode_.end()) continue;
        readInvoiceKey(lines, key);
        if (!invoice || key != invoiceOfLast) {
            invoice = &byInvoice_[key];
            invoiceOfLast = key;
            if (invoice->count == 0) {
                invoice->first = sums_.size();
            } else if (invoice->first + invoice->count != sums_.size()) {
                // Its lines come apart (an invoice stored twice): its sums move to the end,
                // where the sums of items new to it go.
                const std::vector<ItemSums> moved(sums_.begin() + invoice->first,
                                                  sums_.begin() + invoice->first + invoice->count);
                invoice->first = sums_.size();
                sums_.insert(sums_.end(), moved.begin(), moved.end());
            }
        }
        for (std::size_t i : found->second) {
            const auto begin = sums_.begin() + invoice->first, end = begin + invoice->count;
            auto sums = std::find_if(begin, end, [i](const ItemSums& s) { return s.item == i; });
            if (sums == end) {
                sums_.push_back(ItemSums{i, {}, {}});
                ++invoice->count;
                sums = sums_.end() - 1;
            }
            sums->net.add(lines.field(kNetField));
            sums->tax.add(lines.field(kTaxField));
        }
    }
}

bool InvoicePivot::fetchRow(std::vector<data::Value>& row) {
    for (; !invoices_->eof(); invoices_->moveNext()) {
        if (!hasKey(*invoices_)) continue;
        readInvoiceKey(*invoices_, key_);
        auto found = byInvoice_.find(key_);
        if (found == byInvoice_.end()) continue;
        const auto begin = sums_.begin() + found->second.first, end = begin + found->second.count;
        bool anyAmount = false;
        for (auto sums = begin; sums != end; ++sums) anyAmount = anyAmount || !sums->net.isNull();
        if (!anyAmount) continue;

        // An item without lines on the invoice shows Null in all its columns.
        row.resize(fieldCount());
        std::fill(row.begin() + kInvoiceFields, row.end(), data::Value());
        for (int f = 0; f < kInvoiceFields; ++f) copyField(row[f], invoices_->field(f));
        const bool exchange = !row[kExchangeField].isNull();
        for (auto sums = begin; sums != end; ++sums) {
            const std::size_t i = sums->item;
            const data::Value net = sums->net.value(), tax = sums->tax.value();
            int at = firstColumn_[i];
            row[at++] = exchange ? zeroUnlessNull(net) : net;
            if (parking_[i]) {
                if (exchange || net.isNull()) row[at++] = zeroUnlessNull(net);
                else row[at++] = data::Value::fromReal(net.number() * ratios_[i]);
                row[at] = tax;
            } else {
                row[at] = exchange ? data::Value::fromInteger(0) : tax;
            }
        }
        invoices_->moveNext();
        return true;
    }
    return false;
}

}  // namespace tally::reports::vat
