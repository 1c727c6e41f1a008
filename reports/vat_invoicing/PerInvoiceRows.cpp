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

// The value columns of an invoice from the sums of its lines, as the report read them from
// a per-invoice statement: per item its net amount, its property share (parking items:
// net × ratio) and its tax. An item without lines on the invoice shows 0 throughout.
class InvoiceAmounts {
public:
    InvoiceAmounts(const StatementInput& in, const ValueColumnLayout& layout) : layout_(layout) {
        for (std::size_t i = 0; i < in.items.size(); ++i)
            ratios_.push_back(layout.parking[i] ? propertyRatioValue(in.ratios.at(i)) : 0);
    }

    // Into `values`, the columns of an invoice without amounts (all 0).
    void fill(std::span<const InvoiceLineSums::ItemSums> sums, std::vector<Cents>& values) const {
        for (const auto& s : sums) {
            const data::Value net = s.net.value(), tax = s.tax.value();
            Cents* out = values.data() + layout_.firstColumn[s.item];
            if (!layout_.parking[s.item]) {
                itemValueColumns(net, nullptr, tax, out);
                continue;
            }
            const data::Value property =
                net.isNull() ? data::Value() : data::Value::fromReal(net.number() * ratios_[s.item]);
            itemValueColumns(net, &property, tax, out);
        }
    }

private:
    const ValueColumnLayout& layout_;
    std::vector<double> ratios_;  // per item
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

    const InvoiceAmounts amounts(in, context.layout);
    std::size_t kept = 0;
    for (InvoiceDetailRow& row : rows) {
        const auto itemSums = sums.of(row.invoiceNumber, row.batch);
        if (!InvoiceLineSums::anyAmount(itemSums)) continue;
        if (showsAmounts(row)) {
            amounts.fill(itemSums, row.values);
            addUpTotal(row);
        }
        if (&rows[kept] != &row) rows[kept] = std::move(row);
        ++kept;
    }
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
    return rows;
}

}  // namespace tally::reports::vat
