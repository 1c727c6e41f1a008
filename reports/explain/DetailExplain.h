#pragma once
// The invoices and lines behind a row of the parking, VAT invoicing and VAT pre-invoicing
// reports. The lines are read with the conditions the report's statements test
// (parkingLineConditions, itemLineConditions, preInvoiceLineConditions), and each invoice's
// value columns are figured from them by the report's own rules (readValueColumns, and for
// line-by-line rows spreadParkingShares), so the listed amounts add up to the row to the cent.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"
#include "DetailReport.h"
#include "ExplainedLines.h"
#include "InvoiceKey.h"
#include "ParkingRows.h"
#include "PreInvoiceRows.h"
#include "ReportError.h"
#include "VatInvoicingReport.h"
#include "VatInvoicingRows.h"

namespace tally::reports::explain {

// One invoice line as one fee item's columns take it. A line whose code two items share
// is listed once for each.
struct DetailLine {
    // value: what the line adds to the row's 合计 (its net amount plus its tax); 0 when the
    // row shows its invoice at 0 (voided, exchange, issued in advance).
    ExplainedLine line;
    std::size_t item = 0;  // the item's position in the run's list, from 0
};

struct ExplainedInvoice {
    InvoiceKey key;
    std::string exchangedFrom;  // 被换票票据编号: the invoice this one replaced; "" when Null
    // The department's invoices whose 被换票票据编号 names this number. Listed for the rows
    // of invoices, not for total rows.
    std::vector<InvoiceKey> exchangedBy;
    std::string voidedOn;  // "yyyy-mm-dd"; "" when not voided
    bool counted = true;   // false: the row shows the invoice at 0
    std::vector<DetailLine> lines;
    // The invoice's value columns as the report figures them from these lines (per item:
    // developer share, property share and tax of a parking item; net amount and tax of any
    // other), and their sum.
    std::vector<Cents> values;
    Cents total = 0;
};

struct DetailExplanation {
    std::vector<ExplainedInvoice> invoices;  // in the order of the rows they make up
    std::vector<Cents> values;               // per value column, the invoices' values added up
    Cents total = 0;
};

// Said for a row outside the result.
inline constexpr const char* kNoSuchRow = "没有这一行";

// The lines of the selection are read once per explainer, at the first question; every
// row is then answered from them. explain() hands back the database error when the
// statement fails, a refused error for a row outside the result or for split percentages
// the run would refuse.
class ParkingExplainer {
public:
    // `items` and `splits` as the run took them (only the parking items count); `rows` the run's rows.
    ParkingExplainer(data::Connection& connection, ReportRequest request, FeeItemList items, SplitRatioRows splits,
                     std::vector<parking::ParkingRow> rows);
    ~ParkingExplainer();
    ParkingExplainer(ParkingExplainer&&) noexcept;

    // `row` zero-based: a detail row lists the invoices merged into it; "合计" every detail
    // row's invoices; a payment-method row those of the detail rows it adds up.
    Outcome<DetailExplanation> explain(int row);

private:
    struct State;
    std::unique_ptr<State> state_;
};

class VatInvoicingExplainer {
public:
    // `form` is the form the rows were run in (rowFormFor(items) for the report's runs).
    VatInvoicingExplainer(data::Connection& connection, ReportRequest request, FeeItemList items, SplitRatioRows splits,
                          std::vector<vat::InvoiceDetailRow> rows, vat::VatRowForm form);
    ~VatInvoicingExplainer();
    VatInvoicingExplainer(VatInvoicingExplainer&&) noexcept;

    // An invoice row lists its invoice's lines (line by line: the lines it holds); "合  计"
    // the invoices of every row that shows amounts; a payment-method row those it adds up.
    Outcome<DetailExplanation> explain(int row);

private:
    struct State;
    std::unique_ptr<State> state_;
};

class PreInvoiceExplainer {
public:
    PreInvoiceExplainer(data::Connection& connection, ReportRequest request, FeeItemList items, SplitRatioRows splits,
                        std::vector<preinvoice::PreInvoiceRow> rows);
    ~PreInvoiceExplainer();
    PreInvoiceExplainer(PreInvoiceExplainer&&) noexcept;

    // An invoice row lists its invoice's lines; "合  计" every row's.
    Outcome<DetailExplanation> explain(int row);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The lines of an explanation in order, as ExplainedLines.h lists them, each followed by
// its invoice's 被换票票据编号 and the invoices naming it ("number/batch" joined by "; ").
std::vector<std::string> detailLineHeadings();
std::vector<std::vector<std::string>> detailLineCells(const DetailExplanation& explanation);

}  // namespace tally::reports::explain
