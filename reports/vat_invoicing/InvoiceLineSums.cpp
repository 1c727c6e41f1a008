#include "InvoiceLineSums.h"

#include <algorithm>

namespace tally::reports::vat {
namespace {

constexpr int kNumberField = 0, kBatchField = 1, kCodeField = 2, kNetField = 3, kTaxField = 4;

// A field's text without copying it where the field holds one.
std::string_view textOf(const data::Value& field, std::string& room) {
    if (const std::string* text = field.textField()) return *text;
    room = field.text();
    return room;
}

// Number and batch as one key; `key` keeps its room from one line to the next.
void invoiceKey(std::string_view number, std::string_view batch, std::string& key) {
    key.assign(number);
    key += '\x1f';
    key.append(batch);
    key += '\x1f';
}

}  // namespace

InvoiceLineSums::InvoiceLineSums(const FeeItemList& items) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!items[i].code.empty()) itemsByCode_[items[i].code].push_back(i);
}

InvoiceLineSums::InvoiceSums& InvoiceLineSums::invoiceOf(const std::string& key) {
    InvoiceSums& invoice = byInvoice_[key];
    if (invoice.count == 0) {
        invoice.first = sums_.size();
    } else if (invoice.first + invoice.count != sums_.size()) {
        // Its lines come apart (an invoice stored twice): its sums move to the end, where
        // the sums of items new to it go.
        const std::vector<ItemSums> moved(sums_.begin() + invoice.first, sums_.begin() + invoice.first + invoice.count);
        invoice.first = sums_.size();
        sums_.insert(sums_.end(), moved.begin(), moved.end());
    }
    return invoice;
}

void InvoiceLineSums::add(data::Recordset& lines) {
    std::string key, lastKey, numberRoom, batchRoom, codeRoom;
    InvoiceSums* invoice = nullptr;  // of the last line: the lines of an invoice mostly come together
    for (; !lines.eof(); lines.moveNext()) {
        auto found = itemsByCode_.find(textOf(lines.field(kCodeField), codeRoom));
        if (found == itemsByCode_.end()) continue;
        invoiceKey(textOf(lines.field(kNumberField), numberRoom), textOf(lines.field(kBatchField), batchRoom), key);
        if (!invoice || key != lastKey) {
            invoice = &invoiceOf(key);
            lastKey.swap(key);
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

std::span<const InvoiceLineSums::ItemSums> InvoiceLineSums::of(std::string_view number, std::string_view batch) const {
    std::string key;
    invoiceKey(number, batch, key);
    auto found = byInvoice_.find(key);
    if (found == byInvoice_.end()) return {};
    return {sums_.data() + found->second.first, found->second.count};
}

bool InvoiceLineSums::anyAmount(std::span<const ItemSums> sums) {
    return std::any_of(sums.begin(), sums.end(), [](const ItemSums& s) { return !s.net.isNull(); });
}

}  // namespace tally::reports::vat
