#pragma once
// The rows of the VAT invoicing detail report and how they are built from the statement's rows.
#include <string>
#include <vector>

#include "FeeItems.h"
#include "Money.h"
#include "Recordset.h"
#include "ValueColumns.h"

namespace tally::reports::vat {

enum class RowKind { Invoice, GrandTotal, PaymentMethod };

struct InvoiceDetailRow {
    RowKind kind = RowKind::Invoice;
    std::string dateText;  // "yyyy-mm-dd"; "合  计"; "其中" or "" on payment-method rows
    std::string invoiceNumber;
    std::string batch;  // the invoice's 入库单编号
    // Line by line: which of the invoice's rows this is, from 1 (row k holds each item's k-th
    // line); 0 on a row of the whole invoice.
    int lineRow = 0;
    std::string specialNumber;     // 专用发票
    std::string ordinaryNumber;    // 普通发票
    std::string receiptNumber;     // 收据
    std::string electronicNumber;  // 电子发票
    std::vector<Cents> values;     // one per value column; empty on payment-method rows
    std::string methodText;        // payment method, a mark, or the method of a payment-method row
    std::string payerText;
    bool voided = false;
    bool inAdvance = false;  // marked 预开: issued in advance of payment, amounts shown as 0
    Cents total = 0;
    bool exchange = false;

    bool isPaymentMethodRow() const { return kind == RowKind::PaymentMethod; }
};

// What the row building needs besides the statement's rows.
struct RowContext {
    const FeeItemList* items = nullptr;
    std::string fromMonthKey;  // "yyyymm" of the period's first day
    std::string toKey;         // "yyyymmdd" of its last day
    ValueColumnLayout layout;  // of *items
};

// One invoice (or line combination) row from the statement's current row. The items'
// value fields start at position 11; the first column of a parking item is its
// developer share, which is the net amount less the rounded property share.
InvoiceDetailRow buildInvoiceRow(const data::Recordset& rs, const RowContext& context);
// The same from the invoice's fields alone (0 to 10), its value columns left at 0.
InvoiceDetailRow buildInvoiceRowHead(const data::Recordset& rs, const RowContext& context);
// Whether the row shows its items' amounts: not voided, no exchange, not issued in advance.
bool showsAmounts(const InvoiceDetailRow& row);
// The row's total of its value columns.
void addUpTotal(InvoiceDetailRow& row);

// Appends the "合  计" row and then one row per payment method with a non-zero sum.
void appendTotals(std::vector<InvoiceDetailRow>& rows, int valueColumns, const std::vector<std::string>& methods);

// Whether a payment-method row of `method` adds up the row `row` (a marked invoice's
// row names its mark, not its method, and adds nothing).
bool countsForMethod(const InvoiceDetailRow& row, const std::string& method);

// Payer text: 付款人 and, when 地址 is set, a blank and 地址; CR/LF pairs removed.
std::string payerText(const data::Value& payer, const data::Value& address);

}  // namespace tally::reports::vat
