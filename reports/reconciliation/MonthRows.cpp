#include "MonthRows.h"

#include "MonthPivot.h"

#include "ReconciliationHeadings.h"
#include "ReconciliationStatements.h"
#include "ValueColumns.h"

namespace tally::reports::reconciliation {
namespace {

// "0.00" for Null, else the value's two-decimal text.
std::string amountText(const data::Value& v) { return v.isNull() ? "0.00" : formatCents(centsOf(v)); }

// Net amount: the sum less its tax; "0.00" when there is no sum.
std::string netText(const data::Value& sum, const data::Value& tax) {
    return sum.isNull() ? "0.00" : formatCents(roundToCents(moneyValue(sum) - moneyValue(tax)));
}

// "0" for rate 0, else the rate as the database gives it, without fixed decimals.
std::string rateText(const data::Value& rate) { return rate.number() == 0 ? "0" : decimalText(rate.number()); }

void fillMonth(data::Connection& connection, const StatementScope& scope, const std::string& monthKey,
               const ReconciliationFeeItems& items, ReconciliationTable& table) {
    const ReconciliationColumns col{static_cast<int>(items.size())};
    std::vector<Cents> month(col.count(), 0);

    int zeroRateRow = -1;
    // The row of no rate: the month's receipts, and the hand-over of no rate of the items
    // of rate 0 (which the row of rate 0 shows too, added to its own).
    Cents receipts = 0;
    std::vector<std::string> noRateHandOver;
    for (auto rs = OpenMonthRows(connection, scope, monthKey, items); !rs->eof(); rs->moveNext()) {
        const auto& rate = rs->field("S税率");
        if (rate.number() == 100) {
            receipts += parseCents(amountText(rs->field("S收据")));
            noRateHandOver.clear();
            for (int k = 1; k <= col.itemCount; ++k) noRateHandOver.push_back(amountText(rs->field(5 + k)));
            continue;
        }

        int r = table.appendRow();
        if (rate.number() == 0) zeroRateRow = r;
        table.setText(r, col.kNumber, ReconciliationTable::runningNumber(r));
        table.setText(r, col.kMonth, monthKey);
        table.setText(r, col.kRate, rateText(rate));
        table.setText(r, col.kSpecialNet, netText(rs->field("专用发票"), rs->field("专发税额")));
        table.setText(r, col.kSpecialTax, amountText(rs->field("专发税额")));
        table.setText(r, col.kOrdinaryNet, netText(rs->field("普通发票"), rs->field("普发税额")));
        table.setText(r, col.kOrdinaryTax, amountText(rs->field("普发税额")));
        table.setText(r, col.kReceipt, amountText(rs->field("S收据")));
        Cents handOver = 0;
        for (int k = 1; k <= col.itemCount; ++k) {
            std::string shown = amountText(rs->field(5 + k));
            handOver += parseCents(shown);
            table.setText(r, col.item(k), std::move(shown));
            table.setText(r, col.handOverTotal(), formatCents(handOver));
        }
        for (int c = col.kSpecialNet; c <= col.handOverTotal(); ++c) month[c] += table.value(r, c);
    }
    if (receipts != 0 && zeroRateRow >= 0) {
        // Receipts bear no tax: they join the month's row of rate 0.
        table.setText(zeroRateRow, col.kReceipt, formatCents(table.value(zeroRateRow, col.kReceipt) + receipts));
        month[col.kReceipt] += receipts;
    } else if (receipts != 0) {
        // Without a row of rate 0, the row of no rate shows with its hand-over, rate left blank.
        int r = table.appendRow();
        table.setText(r, col.kNumber, ReconciliationTable::runningNumber(r));
        table.setText(r, col.kMonth, monthKey);
        for (int c = col.kSpecialNet; c <= col.kOrdinaryTax; ++c) table.setText(r, c, "0.00");
        table.setText(r, col.kReceipt, formatCents(receipts));
        Cents handOver = 0;
        for (int k = 1; k <= col.itemCount; ++k) {
            const std::string& shown = noRateHandOver[static_cast<std::size_t>(k - 1)];
            handOver += parseCents(shown);
            table.setText(r, col.item(k), shown);
        }
        table.setText(r, col.handOverTotal(), formatCents(handOver));
        for (int c = col.kSpecialNet; c <= col.handOverTotal(); ++c) month[c] += table.value(r, c);
    }

    Cents invoiced = 0;
    for (int c = col.kSpecialNet; c <= col.kReceipt; ++c) invoiced += month[c];
    if (invoiced == 0) return;  // nothing invoiced: no subtotal, so no corrections and no difference either

    int r = table.appendRow();
    table.setText(r, col.kNumber, ReconciliationTable::runningNumber(r));
    table.setText(r, col.kMonth, monthKey);
    table.setText(r, col.kRate, kSubtotalMark);
    for (int c = col.kSpecialNet; c <= col.handOverTotal(); ++c)
        table.setCell(r, c, formatCents(month[c]), kSubtotalColour);
}

}  // namespace

std::optional<ReportError> FillMonthRows(data::Connection& connection, const ReconciliationSelection& selection,
                                         const InvoiceTypeLists& typeLists, const ReconciliationFeeItems& items,
                                         ReconciliationTable& table) {
    StatementScope scope = statementScope(selection, typeLists);
    try {
        for (const auto& key : selection.monthKeys()) fillMonth(connection, scope, key, items, table);
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
    return std::nullopt;
}

}  // namespace tally::reports::reconciliation
