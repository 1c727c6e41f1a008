#pragma once
// The rows of the parking-fee detail report: one per stock-in batch and collection
// moment, then "合计", then one per payment method with a non-zero sum.
#include <string>
#include <vector>

#include "InvoiceKey.h"
#include "Money.h"
#include "Recordset.h"

namespace tally::reports::parking {

enum class ParkingRowKind { Detail, GrandTotal, PaymentMethod };

struct ParkingRow {
    ParkingRowKind rowKind = ParkingRowKind::Detail;
    // Detail: the invoice number, or "first - last" for invoices sharing the row;
    // "合计"; "其中" on the first payment-method row, "" on the others.
    std::string label;
    std::string paymentMethod;   // detail: of the row's first invoice; the method of a method row
    std::vector<Cents> amounts;  // per value column: developer, property, tax of each item
    Cents total = 0;
    bool electronic = false;           // the row's last invoice has a 交易订单号
    std::vector<InvoiceKey> invoices;  // detail: the invoices merged into the row, in order

    // "纸质" or "电子" on detail rows.
    std::string kindText() const;
};

// One invoice as the statistics statement returns it.
struct ParkingInvoice {
    std::string number;
    std::string batch;
    std::string collectedAt;    // 收款日期 as text, time of day included
    std::string paymentMethod;  // trimmed; "" when Null
    bool electronic = false;
    std::vector<Cents> amounts;  // three per item
};

// Reads the current statement row. Of each item's three value columns the first is the
// developer share: the net amount less the property share rounded to cents, so the two
// shares always add up to the rounded net amount. Null counts 0.
ParkingInvoice readParkingInvoice(const data::Recordset& rs, int itemCount);

// Invoices of one batch collected at the same moment arrive one after another and
// share a row: "first - last", amounts added, the payment method of the first and
// the kind of the last.
class ParkingRowMerger {
public:
    void add(const ParkingInvoice& invoice);
    const std::vector<ParkingRow>& rows() const { return rows_; }
    std::vector<ParkingRow> takeRows() { return std::move(rows_); }

private:
    std::vector<ParkingRow> rows_;
    std::string batch_, collectedAt_, firstNumber_;
};

// Appends "合计" and the payment-method rows in the order of the method list; a row
// paid by 微信 counts as 微信支付.
void appendParkingTotals(std::vector<ParkingRow>& rows, const std::vector<std::string>& methods);

// Whether a payment-method row of `method` adds up the detail row `row`.
bool countsForMethod(const ParkingRow& row, const std::string& method);

}  // namespace tally::reports::parking
