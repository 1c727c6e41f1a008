#include "PreInvoiceRows.h"

#include "Departments.h"
#include "PreInvoiceStatements.h"
#include "ValueColumns.h"

namespace tally::reports::preinvoice {
namespace {

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

std::string payerText(const data::Value& payer, const data::Value& address) {
    std::string text = withoutLineBreaks(payer.text());
    if (!address.isNull()) text += " " + withoutLineBreaks(address.text());
    return text;
}

}  // namespace

PreInvoiceRow readPreInvoiceRow(const data::Recordset& rs, const FeeItemList& items) {
    PreInvoiceRow row;
    auto issued = rs.field(3).date();
    row.dateLabel = issued ? issued->isoDate() : rs.field(3).text();
    row.invoice = {rs.field(0).text(), rs.field(1).text()};
    const std::string type = rs.field(2).text();
    if (contains(type, "专用发票")) row.specialNumber = rs.field(0).text();
    else if (contains(type, "普通发票")) row.ordinaryNumber = rs.field(0).text();
    row.paymentText = "预开";
    row.payerText = payerText(rs.field(8), rs.field(9));

    row.amounts = readValueColumns(rs, kPreInvoiceFirstValueField, items);
    for (Cents a : row.amounts) row.total += a;
    return row;
}

void appendPreInvoiceTotals(std::vector<PreInvoiceRow>& rows, int valueColumns) {
    PreInvoiceRow totals;
    totals.isTotals = true;
    totals.dateLabel = "合  计";
    totals.amounts.assign(valueColumns, 0);
    for (const auto& row : rows) {
        for (int k = 0; k < valueColumns && k < static_cast<int>(row.amounts.size()); ++k)
            totals.amounts[k] += row.amounts[k];
        totals.total += row.total;
    }
    rows.push_back(std::move(totals));
}

}  // namespace tally::reports::preinvoice
