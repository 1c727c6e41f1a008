#pragma once
// The lines of each invoice of a run summed per fee item, from itemLinesStatement's rows.
//
// The lines are summed here instead of in the statement: the statement then neither groups
// nor sorts them, and the work on them does not grow with the number of items. A line
// counts for every item of its code (two items may share a code); lines of other codes
// are passed over. The sums are what a per-item Sum() over the invoice's lines gives
// (LineSum.h), so an invoice stored twice, whose lines the statement gives once for each
// copy, has each sum twice.
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "FeeItems.h"
#include "LineSum.h"
#include "Recordset.h"

namespace tally::reports::vat {

class InvoiceLineSums {
public:
    // One item's lines on one invoice.
    struct ItemSums {
        std::size_t item;  // position in the run's item list
        LineSum net, tax;
    };

    explicit InvoiceLineSums(const FeeItemList& items);

    // Adds every row left in `lines`: 票据编号, 入库单编号, 收费项目代号, 净额, 税额.
    void add(data::Recordset& lines);

    // The sums of the invoice with this number and batch, one per item it has lines of.
    std::span<const ItemSums> of(std::string_view number, std::string_view batch) const;

    // Whether any of those lines has a net amount: an invoice without one is no row.
    static bool anyAmount(std::span<const ItemSums> sums);

private:
    // The items an invoice has lines of: `count` sums of sums_ from `first`. A year has
    // tens of thousands of invoices; their sums share one vector.
    struct InvoiceSums {
        std::size_t first = 0, count = 0;
    };
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using TextMap = std::unordered_map<std::string, InvoiceSums, TextHash, std::equal_to<>>;

    InvoiceSums& invoiceOf(const std::string& key);

    std::unordered_map<std::string, std::vector<std::size_t>, TextHash, std::equal_to<>> itemsByCode_;
    std::vector<ItemSums> sums_;
    TextMap byInvoice_;  // by number and batch, each followed by a unit separator
};

}  // namespace tally::reports::vat
