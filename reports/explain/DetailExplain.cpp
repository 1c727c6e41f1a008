#include "DetailExplain.h"

#include <algorithm>
#include <unordered_map>

#include "LineListSql.h"
#include "LineShares.h"
#include "LineSum.h"
#include "ParkingStatements.h"
#include "PaymentMethods.h"
#include "PreInvoiceStatements.h"
#include "ValueColumns.h"
#include "VatInvoicingStatements.h"

namespace tally::reports::explain {
namespace {

struct StoredLine {
    ExplainedLine line;
    data::Value amount, net, tax;    // as the statement gives them
    std::vector<std::size_t> items;  // every item with the line's code
};

struct StoredInvoice {
    std::string exchangedFrom, voidedOn;
    std::vector<StoredLine> lines;  // in the statement's order
};

using LinesByInvoice = std::map<InvoiceKey, StoredInvoice>;
using LinePicks = std::vector<const StoredLine*>;

// The selection's lines by invoice. A line joins the items whose code is the line's own,
// as the per-invoice rows take it; a code no item has is passed over.
LinesByInvoice readLines(data::Connection& connection, const std::string& statement, const FeeItemList& items) {
    std::unordered_map<std::string, std::vector<std::size_t>> itemsByCode;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!items[i].code.empty()) itemsByCode[items[i].code].push_back(i);
    LinesByInvoice invoices;
    for (auto rs = connection.open(statement, data::Connection::kNoTimeout); !rs->eof(); rs->moveNext()) {
        auto found = itemsByCode.find(rs->field("收费项目代号").text());
        if (found == itemsByCode.end()) continue;
        StoredInvoice& invoice = invoices[{rs->field("票据编号").text(), rs->field("入库单编号").text()}];
        invoice.exchangedFrom = rs->field("被换票票据编号").text();
        invoice.voidedOn = listedDate(rs->field("作废日期"));
        StoredLine line{readExplainedLine(*rs), rs->field("金额"), rs->field("净额"), rs->field("税额"), found->second};
        invoice.lines.push_back(std::move(line));
    }
    return invoices;
}

// How a statement gives a parking item's property share: the sum of each line's net amount
// times the ratio (parking), or the net amounts' sum times the ratio (the VAT reports).
enum class PropertyRule { SumOfShares, ShareOfSum };

// What a run needs to figure the value columns of its rows.
struct RunItems {
    FeeItemList items;
    std::vector<std::string> ratioTexts;  // per item, "" for an item that is not a parking item
    std::vector<double> ratios;
    ValueColumnLayout layout{FeeItemList{}};
    std::optional<ReportError> refused;  // the run's own refusal of the split percentages

    RunItems(FeeItemList runItems, const SplitRatioRows& splits) : items(std::move(runItems)), layout(items) {
        auto texts = propertyRatios(items, splits);
        if (!texts.ok()) {
            refused = texts.error();
            return;
        }
        ratioTexts = texts.value();
        for (const auto& text : ratioTexts) ratios.push_back(text.empty() ? 0 : propertyRatioValue(text));
    }
};

data::Value timesRatio(const data::Value& net, double ratio) {
    return net.isNull() ? data::Value() : data::Value::fromReal(net.number() * ratio);
}

// The value columns of the picked lines, summed per item as the statements sum them and
// read as the report reads its rows.
std::vector<Cents> figuredValues(const LinePicks& lines, const RunItems& run, PropertyRule rule) {
    const std::size_t n = run.items.size();
    std::vector<LineSum> nets(n), taxes(n), shares(n);
    for (const StoredLine* line : lines)
        for (std::size_t i : line->items) {
            nets[i].add(line->net);
            taxes[i].add(line->tax);
            if (run.layout.parking[i] && !line->net.isNull()) shares[i].add(timesRatio(line->net, run.ratios[i]));
        }
    std::vector<data::Value> fields;
    for (std::size_t i = 0; i < n; ++i) {
        fields.push_back(nets[i].value());
        if (run.layout.parking[i])
            fields.push_back(rule == PropertyRule::SumOfShares ? shares[i].value()
                                                               : timesRatio(nets[i].value(), run.ratios[i]));
        fields.push_back(taxes[i].value());
    }
    return readValueColumns(fields, run.layout);
}

ExplainedInvoice explainedInvoice(const InvoiceKey& key, const StoredInvoice* stored, const LinePicks& lines,
                                  const RunItems& run, std::vector<Cents> values, bool counted) {
    ExplainedInvoice invoice;
    invoice.key = key;
    invoice.counted = counted;
    if (stored) {
        invoice.exchangedFrom = stored->exchangedFrom;
        invoice.voidedOn = stored->voidedOn;
    }
    for (const StoredLine* picked : lines)
        for (std::size_t i : picked->items) {
            DetailLine line{picked->line, i};
            line.line.feeName = run.items[i].cleanedName;
            line.line.rate = decimalText(run.items[i].taxRate);
            line.line.value = counted ? (picked->net.isNull() ? 0 : picked->net.number()) + picked->tax.number() : 0;
            invoice.lines.push_back(std::move(line));
        }
    invoice.values = counted ? std::move(values) : std::vector<Cents>(run.layout.columnCount, 0);
    for (Cents v : invoice.values) invoice.total += v;
    return invoice;
}

LinePicks allLines(const StoredInvoice* stored) {
    LinePicks picks;
    if (stored)
        for (const auto& line : stored->lines) picks.push_back(&line);
    return picks;
}

void add(DetailExplanation& explanation, ExplainedInvoice invoice) {
    if (explanation.values.size() < invoice.values.size()) explanation.values.resize(invoice.values.size(), 0);
    for (std::size_t j = 0; j < invoice.values.size(); ++j) explanation.values[j] += invoice.values[j];
    explanation.total += invoice.total;
    explanation.invoices.push_back(std::move(invoice));
}

// The whole result's lines, read at the first question.
class SelectionLines {
public:
    const LinesByInvoice& get(data::Connection& connection, const std::string& statement, const FeeItemList& items) {
        if (!lines_) lines_ = readLines(connection, statement, items);
        return *lines_;
    }

private:
    std::optional<LinesByInvoice> lines_;
};

const StoredInvoice* find(const LinesByInvoice& lines, const InvoiceKey& key) {
    auto found = lines.find(key);
    return found == lines.end() ? nullptr : &found->second;
}

// The department's exchange invoices by the number they name, read at the first row asked.
class Exchanges {
public:
    void list(data::Connection& connection, const std::string& departmentCode, DetailExplanation& explanation) {
        if (!byNumber_) {
            byNumber_.emplace();
            for (auto rs = connection.open(exchangesStatement(departmentCode), data::Connection::kNoTimeout);
                 !rs->eof(); rs->moveNext())
                (*byNumber_)[rs->field(2).text()].push_back({rs->field(0).text(), rs->field(1).text()});
        }
        for (auto& invoice : explanation.invoices) {
            auto found = byNumber_->find(invoice.key.number);
            if (found != byNumber_->end()) invoice.exchangedBy = found->second;
        }
    }

private:
    std::optional<std::map<std::string, std::vector<InvoiceKey>>> byNumber_;
};

template <class Explain>
Outcome<DetailExplanation> guarded(const std::optional<ReportError>& refused, int row, int rowCount, Explain explain) {
    if (row < 0 || row >= rowCount) return ReportError::refused(kNoSuchRow);
    if (refused) return *refused;
    try {
        return explain();
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
}

FeeItemList parkingItemsOf(const FeeItemList& items) {
    FeeItemList out;
    for (const auto& item : items)
        if (item.isParking()) out.push_back(item);
    return out;
}

}  // namespace

// ---- parking

struct ParkingExplainer::State {
    data::Connection& connection;
    ReportRequest request;
    RunItems run;
    std::vector<parking::ParkingRow> rows;
    SelectionLines lines;
    Exchanges exchanges;

    const LinesByInvoice& selectionLines() {
        const parking::ParkingStatementInput in{request.department.departmentCode, request.fromKey, request.toKey,
                                                run.items, run.ratioTexts};
        return lines.get(connection, parking::parkingLinesStatement(in), run.items);
    }

    void addRow(DetailExplanation& explanation, const parking::ParkingRow& row) {
        const auto& all = selectionLines();
        for (const auto& key : row.invoices) {
            const StoredInvoice* stored = find(all, key);
            const LinePicks picks = allLines(stored);
            add(explanation,
                explainedInvoice(key, stored, picks, run, figuredValues(picks, run, PropertyRule::SumOfShares), true));
        }
    }

    DetailExplanation explain(int index) {
        DetailExplanation explanation;
        explanation.values.assign(run.layout.columnCount, 0);
        const auto& row = rows[static_cast<std::size_t>(index)];
        if (row.rowKind == parking::ParkingRowKind::Detail) {
            addRow(explanation, row);
            exchanges.list(connection, request.department.departmentCode, explanation);
            return explanation;
        }
        for (const auto& detail : rows)
            if (detail.rowKind == parking::ParkingRowKind::Detail &&
                (row.rowKind == parking::ParkingRowKind::GrandTotal ||
                 parking::countsForMethod(detail, row.paymentMethod)))
                addRow(explanation, detail);
        return explanation;
    }
};

ParkingExplainer::ParkingExplainer(data::Connection& connection, ReportRequest request, FeeItemList items,
                                   SplitRatioRows splits, std::vector<parking::ParkingRow> rows)
    : state_(new State{
          connection, std::move(request), RunItems(parkingItemsOf(items), splits), std::move(rows), {}, {}}) {}
ParkingExplainer::~ParkingExplainer() = default;
ParkingExplainer::ParkingExplainer(ParkingExplainer&&) noexcept = default;

Outcome<DetailExplanation> ParkingExplainer::explain(int row) {
    return guarded(state_->run.refused, row, static_cast<int>(state_->rows.size()),
                   [&] { return state_->explain(row); });
}

// ---- VAT invoicing

namespace {

// SQL sorts Null first, then by value.
bool sortsBefore(const data::Value& a, const data::Value& b) {
    if (a.isNull() || b.isNull()) return a.isNull() && !b.isNull();
    return a.number() < b.number();
}

// Row k of an invoice listed line by line: the k-th line of each item's code, the lines of a
// code in the order of amount, then tax. A row none of whose lines has an amount is left out.
std::vector<LinePicks> lineRowsOf(const StoredInvoice* stored, const RunItems& run) {
    std::vector<LinePicks> rows;
    if (!stored) return rows;
    std::vector<LinePicks> byItem(run.items.size());
    for (const auto& line : stored->lines)
        for (std::size_t i : line.items) byItem[i].push_back(&line);
    for (auto& lines : byItem)
        std::stable_sort(lines.begin(), lines.end(), [](const StoredLine* a, const StoredLine* b) {
            if (sortsBefore(a->amount, b->amount)) return true;
            if (sortsBefore(b->amount, a->amount)) return false;
            return sortsBefore(a->tax, b->tax);
        });
    for (std::size_t k = 0;; ++k) {
        LinePicks row;
        bool more = false, anyAmount = false;
        for (const auto& lines : byItem) {
            if (k >= lines.size()) continue;
            more = true;
            anyAmount = anyAmount || !lines[k]->net.isNull();
            if (std::find(row.begin(), row.end(), lines[k]) == row.end()) row.push_back(lines[k]);
        }
        if (!more) break;
        if (anyAmount) rows.push_back(std::move(row));
    }
    return rows;
}

bool counted(const vat::InvoiceDetailRow& row) { return !row.voided && !row.exchange && !row.inAdvance; }

}  // namespace

struct VatInvoicingExplainer::State {
    data::Connection& connection;
    ReportRequest request;
    RunItems run;
    std::vector<vat::InvoiceDetailRow> rows;
    vat::VatRowForm form;
    SelectionLines lines;
    Exchanges exchanges;

    const LinesByInvoice& selectionLines() {
        const vat::StatementInput in{request.department.departmentCode, request.fromKey, request.toKey,
                                     request.invoiceTypeList,           run.items,       run.ratioTexts};
        return lines.get(connection, vat::itemLinesListStatement(in), run.items);
    }

    ExplainedInvoice rowInvoice(const vat::InvoiceDetailRow& row) {
        const InvoiceKey key{row.invoiceNumber, row.batch};
        const StoredInvoice* stored = find(selectionLines(), key);
        if (form == vat::VatRowForm::PerInvoice) {
            const LinePicks picks = allLines(stored);
            return explainedInvoice(key, stored, picks, run, figuredValues(picks, run, PropertyRule::ShareOfSum),
                                    counted(row));
        }
        // The report's rows of the invoice, their parking shares spread as the report spreads them.
        const std::vector<LinePicks> lineRows = lineRowsOf(stored, run);
        std::vector<vat::InvoiceDetailRow> figured(lineRows.size());
        for (std::size_t k = 0; k < lineRows.size(); ++k)
            figured[k].values = counted(row) ? figuredValues(lineRows[k], run, PropertyRule::ShareOfSum)
                                             : std::vector<Cents>(run.layout.columnCount, 0);
        vat::spreadParkingShares(figured.begin(), figured.end(), run.items, run.ratioTexts);
        const std::size_t k = static_cast<std::size_t>(row.lineRow - 1);
        if (row.lineRow < 1 || k >= lineRows.size()) return explainedInvoice(key, stored, {}, run, {}, false);
        return explainedInvoice(key, stored, lineRows[k], run, std::move(figured[k].values), counted(row));
    }

    DetailExplanation explain(int index) {
        DetailExplanation explanation;
        explanation.values.assign(run.layout.columnCount, 0);
        const auto& row = rows[static_cast<std::size_t>(index)];
        if (row.kind == vat::RowKind::Invoice) {
            add(explanation, rowInvoice(row));
            exchanges.list(connection, request.department.departmentCode, explanation);
            return explanation;
        }
        for (const auto& detail : rows)
            if (detail.kind == vat::RowKind::Invoice &&
                (row.kind == vat::RowKind::GrandTotal ? counted(detail) : vat::countsForMethod(detail, row.methodText)))
                add(explanation, rowInvoice(detail));
        return explanation;
    }
};

VatInvoicingExplainer::VatInvoicingExplainer(data::Connection& connection, ReportRequest request, FeeItemList items,
                                             SplitRatioRows splits, std::vector<vat::InvoiceDetailRow> rows,
                                             vat::VatRowForm form)
    : state_(new State{
          connection, std::move(request), RunItems(std::move(items), splits), std::move(rows), form, {}, {}}) {}
VatInvoicingExplainer::~VatInvoicingExplainer() = default;
VatInvoicingExplainer::VatInvoicingExplainer(VatInvoicingExplainer&&) noexcept = default;

Outcome<DetailExplanation> VatInvoicingExplainer::explain(int row) {
    return guarded(state_->run.refused, row, static_cast<int>(state_->rows.size()),
                   [&] { return state_->explain(row); });
}

// ---- VAT pre-invoicing

struct PreInvoiceExplainer::State {
    data::Connection& connection;
    ReportRequest request;
    RunItems run;
    std::vector<preinvoice::PreInvoiceRow> rows;
    SelectionLines lines;
    Exchanges exchanges;

    const LinesByInvoice& selectionLines() {
        const preinvoice::PreInvoiceStatementInput in{
            request.department.departmentCode, request.fromKey, request.toKey,
            request.invoiceTypeList,           run.items,       run.ratioTexts};
        return lines.get(connection, preinvoice::preInvoiceLinesStatement(in), run.items);
    }

    ExplainedInvoice rowInvoice(const preinvoice::PreInvoiceRow& row) {
        const StoredInvoice* stored = find(selectionLines(), row.invoice);
        const LinePicks picks = allLines(stored);
        return explainedInvoice(row.invoice, stored, picks, run, figuredValues(picks, run, PropertyRule::ShareOfSum),
                                true);
    }

    DetailExplanation explain(int index) {
        DetailExplanation explanation;
        explanation.values.assign(run.layout.columnCount, 0);
        const auto& row = rows[static_cast<std::size_t>(index)];
        if (!row.isTotals) {
            add(explanation, rowInvoice(row));
            exchanges.list(connection, request.department.departmentCode, explanation);
            return explanation;
        }
        for (const auto& detail : rows)
            if (!detail.isTotals) add(explanation, rowInvoice(detail));
        return explanation;
    }
};

PreInvoiceExplainer::PreInvoiceExplainer(data::Connection& connection, ReportRequest request, FeeItemList items,
                                         SplitRatioRows splits, std::vector<preinvoice::PreInvoiceRow> rows)
    : state_(new State{connection, std::move(request), RunItems(std::move(items), splits), std::move(rows), {}, {}}) {}
PreInvoiceExplainer::~PreInvoiceExplainer() = default;
PreInvoiceExplainer::PreInvoiceExplainer(PreInvoiceExplainer&&) noexcept = default;

Outcome<DetailExplanation> PreInvoiceExplainer::explain(int row) {
    return guarded(state_->run.refused, row, static_cast<int>(state_->rows.size()),
                   [&] { return state_->explain(row); });
}

// ---- the list

std::vector<std::string> detailLineHeadings() {
    auto headings = explainedLineHeadings();
    headings.push_back("被换票票据编号");
    headings.push_back("换开票据");
    return headings;
}

std::vector<std::vector<std::string>> detailLineCells(const DetailExplanation& explanation) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& invoice : explanation.invoices) {
        std::string exchangedBy;
        for (const auto& key : invoice.exchangedBy)
            exchangedBy += (exchangedBy.empty() ? "" : "; ") + key.number + "/" + key.batch;
        for (const auto& line : invoice.lines) {
            auto cells = explainedLineCells(line.line);
            cells.push_back(invoice.exchangedFrom);
            cells.push_back(exchangedBy);
            rows.push_back(std::move(cells));
        }
    }
    return rows;
}

}  // namespace tally::reports::explain
