#include "VatInvoicingRows.h"

#include "Departments.h"
#include "ValueColumns.h"

namespace tally::reports::vat {
namespace {

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

void placeNumber(InvoiceDetailRow& row, const std::string& typeName) {
    if (contains(typeName, "专用发票")) row.specialNumber = row.invoiceNumber;
    else if (contains(typeName, "普通发票")) row.ordinaryNumber = row.invoiceNumber;
    else if (contains(typeName, "电子发票")) row.electronicNumber = row.invoiceNumber;
    else row.receiptNumber = row.invoiceNumber;
}

// Issued in advance of payment: issued no earlier than the period's month and not collected by its end.
bool issuedInAdvance(const std::optional<data::DateTime>& issued, const data::Recordset& rs,
                     const RowContext& context) {
    if (!issued || issued->monthKey() < context.fromMonthKey) return false;
    const auto& collected = rs.field(4);
    if (collected.isNull()) return true;
    auto collectedDate = collected.date();
    return collectedDate && collectedDate->dayKey() > context.toKey;
}

}  // namespace

std::string payerText(const data::Value& payer, const data::Value& address) {
    std::string text = withoutLineBreaks(payer.text());
    if (!address.isNull()) text += " " + withoutLineBreaks(address.text());
    return text;
}

InvoiceDetailRow buildInvoiceRowHead(const data::Recordset& rs, const RowContext& context) {
    InvoiceDetailRow row;
    const std::optional<data::DateTime> issued = rs.field(3).date();
    if (issued) row.dateText = issued->isoDate();
    row.invoiceNumber = rs.field(0).text();
    row.batch = rs.field(1).text();
    placeNumber(row, rs.field(2).text());
    row.voided = !rs.field(5).isNull();
    row.exchange = !rs.field(10).isNull();
    row.payerText = payerText(rs.field(8), rs.field(9));
    row.values.assign(context.layout.columnCount, 0);
    bool negative = rs.field(6).number() < 0;
    if (row.voided) {
        row.methodText = negative ? "负票" : "作废";
    } else if (row.exchange) {
        row.methodText = negative ? "换负" : "换票";
    } else if (issuedInAdvance(issued, rs, context)) {
        row.inAdvance = true;
        row.methodText = "预开";
    } else {
        row.methodText = rs.field(7).text();
    }
    return row;
}

bool showsAmounts(const InvoiceDetailRow& row) { return !row.voided && !row.exchange && !row.inAdvance; }

void addUpTotal(InvoiceDetailRow& row) {
    row.total = 0;
    for (Cents v : row.values) row.total += v;
}

InvoiceDetailRow buildInvoiceRow(const data::Recordset& rs, const RowContext& context) {
    InvoiceDetailRow row = buildInvoiceRowHead(rs, context);
    // value column j is at position 11 + j
    if (showsAmounts(row)) {
        row.values = readValueColumns(rs, 11, context.layout);
        addUpTotal(row);
    }
    return row;
}

bool countsForMethod(const InvoiceDetailRow& row, const std::string& method) {
    return row.kind == RowKind::Invoice && row.methodText == method;
}

void appendTotals(std::vector<InvoiceDetailRow>& rows, int valueColumns, const std::vector<std::string>& methods) {
    InvoiceDetailRow total;
    total.kind = RowKind::GrandTotal;
    total.dateText = "合  计";
    total.values.assign(valueColumns, 0);
    for (const auto& row : rows) {
        for (std::size_t j = 0; j < row.values.size() && j < total.values.size(); ++j) total.values[j] += row.values[j];
        total.total += row.total;
    }
    rows.push_back(total);

    std::vector<InvoiceDetailRow> methodRows;
    for (const auto& method : methods) {
        Cents sum = 0;
        for (const auto& row : rows)
            if (countsForMethod(row, method)) sum += row.total;
        if (sum == 0) continue;
        InvoiceDetailRow r;
        r.kind = RowKind::PaymentMethod;
        r.dateText = methodRows.empty() ? "其中" : "";
        r.methodText = method;
        r.total = sum;
        methodRows.push_back(r);
    }
    rows.insert(rows.end(), methodRows.begin(), methodRows.end());
}

}  // namespace tally::reports::vat
