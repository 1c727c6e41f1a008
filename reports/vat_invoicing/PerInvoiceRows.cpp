#include "PerInvoiceRows.h"

#include <exception>
#include <span>
#include <system_error>
#include <thread>

#include "InvoiceLineSums.h"
#include "ItemColumnsSql.h"

namespace tally::reports::vat {
namespace {

// Lines join an invoice by number and batch with "=", which Null never passes.
bool hasKey(const data::Recordset& invoice) { return !invoice.field(0).isNull() && !invoice.field(1).isNull(); }

// The selection's invoices in issue order, their amounts not yet filled in.
std::vector<InvoiceDetailRow> readInvoiceRows(data::Connection& connection, const StatementInput& in,
                                              const RowContext& context) {
    auto invoices = connection.open(invoicesStatement(in), data::Connection::kNoTimeout);
    std::vector<InvoiceDetailRow> rows;
    for (; !invoices->eof(); invoices->moveNext())
        if (hasKey(*invoices)) rows.push_back(buildInvoiceRowHead(*invoices, context));
    return rows;
}

void addLines(data::Connection& connection, const StatementInput& in, InvoiceLineSums& sums) {
    sums.add(*connection.open(itemLinesStatement(in), data::Connection::kNoTimeout));
}

// An invoice's item fields as a per-invoice statement gave them: per item its net amount,
// its property share (parking items) and its tax; Null where it has no lines of the item.
class ItemFields {
public:
    explicit ItemFields(const StatementInput& in) {
        for (std::size_t i = 0; i < in.items.size(); ++i) {
            first_.push_back(count_);
            const bool parking = in.items[i].isParking();
            ratios_.push_back(parking ? propertyRatioValue(in.ratios.at(i)) : 0);
            parking_.push_back(parking);
            count_ += parking ? 3 : 2;
        }
    }

    std::span<const data::Value> of(std::span<const InvoiceLineSums::ItemSums> sums) {
        fields_.assign(count_, data::Value());
        for (const auto& s : sums) {
            std::size_t at = first_[s.item];
            const data::Value net = s.net.value();
            if (parking_[s.item] && !net.isNull())
                fields_[at + 1] = data::Value::fromReal(net.number() * ratios_[s.item]);
            fields_[at] = net;
            fields_[at + (parking_[s.item] ? 2 : 1)] = s.tax.value();
        }
        return fields_;
    }

private:
    std::vector<std::size_t> first_;
    std::vector<bool> parking_;
    std::vector<double> ratios_;
    std::size_t count_ = 0;
    std::vector<data::Value> fields_;  // room used again for every invoice
};

}  // namespace

std::vector<InvoiceDetailRow> readPerInvoiceRows(data::Connection& connection, const StatementInput& in,
                                                 const RowContext& context) {
    InvoiceLineSums sums(in.items);
    std::vector<InvoiceDetailRow> rows;
    if (data::Connection* sibling = connection.sibling()) {
        // The two statements take about as long as each other: on two cores the run waits
        // for the longer one instead of both. An interrupt of the connection ends both.
        std::exception_ptr linesFailure, invoicesFailure;
        auto readLines = [&] {
            try {
                addLines(*sibling, in, sums);
            } catch (...) {
                linesFailure = std::current_exception();
            }
        };
        std::thread linesReader;
        try {
            linesReader = std::thread(readLines);
        } catch (const std::system_error&) {
            readLines();  // no thread to be had: one after the other
        }
        try {
            rows = readInvoiceRows(connection, in, context);
        } catch (...) {
            invoicesFailure = std::current_exception();
        }
        if (linesReader.joinable()) linesReader.join();
        if (linesFailure) std::rethrow_exception(linesFailure);
        if (invoicesFailure) std::rethrow_exception(invoicesFailure);
    } else {
        addLines(connection, in, sums);
        rows = readInvoiceRows(connection, in, context);
    }

    ItemFields fields(in);
    std::size_t kept = 0;
    for (InvoiceDetailRow& row : rows) {
        const auto itemSums = sums.of(row.invoiceNumber, row.batch);
        if (!InvoiceLineSums::anyAmount(itemSums)) continue;
        if (showsAmounts(row)) setAmounts(row, readValueColumns(fields.of(itemSums), context.layout));
        if (&rows[kept] != &row) rows[kept] = std::move(row);
        ++kept;
    }
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
    return rows;
}

}  // namespace tally::reports::vat
