// Every row of parking, VAT invoicing and VAT pre-invoicing runs over generated databases:
// the drill-down's invoices add up to the row's amount cells, column by column, to the cent;
// each invoice's listed lines are all its lines of the items and figure its columns; and each
// invoice, read back by the test's own statements, meets the report's conditions.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

#include "DetailExplain.h"
#include "ExplainCorpus.h"
#include "InvoiceFacts.h"
#include "ParkingReport.h"
#include "PaymentMethods.h"
#include "PreInvoiceReport.h"
#include "Selections.h"
#include "VatInvoicingReport.h"

namespace tally::testing::explain {
namespace {

namespace ex = reports::explain;
using reports::Cents;
using reports::FeeItemList;
using reports::InvoiceKey;

enum class Report { Parking, VatInvoicing, PreInvoicing };
// Which invoices a report counts (checked on each listed invoice).
enum class PeriodRule { Collected, IssuedOrCollectedLater, IssuedAndUncollected };

// A result row as the test reads it, whatever the report.
struct RowView {
    enum class Kind { Invoice, GrandTotal, Method } kind = Kind::Invoice;
    std::vector<Cents> values;  // empty on payment-method rows
    Cents total = 0;
    std::vector<InvoiceKey> invoices;  // invoice rows: the invoices the row names
    int lineRow = 0;                   // line by line: the row's place among its invoice's rows
    bool counted = true;               // false: the row shows its invoice at 0
    std::string method;                // the method a payment-method row adds up by
    std::string shownNumbers;          // invoice rows: the number cells as drawn, joined by "|"
};

struct Run {
    Report report;
    PeriodRule rule;
    std::string from, to, department;
    FeeItemList items;
    std::vector<double> ratios;  // per item, 0 for an item that is not a parking item
    bool lineByLine = false;
};

struct Tally {
    int rows = 0, invoices = 0, lines = 0, totals = 0, methods = 0, merged = 0, marked = 0, lineRows = 0, exchanged = 0;
};

Cents cents(double value) { return reports::roundToCents(value); }

class DetailChecker {
public:
    DetailChecker(data::Connection& connection, const Run& run, Tally& tally)
        : connection_(connection), run_(run), tally_(tally) {}

    void check(const RowView& row, const ex::DetailExplanation& explanation, const std::vector<RowView>& rows) {
        EXPECT_EQ(explanation.total, row.total) << "the invoices' total is not the row's";
        if (!row.values.empty()) {
            EXPECT_EQ(explanation.values, row.values) << "a column is not its invoices' sum";
        }
        Cents total = 0;
        for (const auto& invoice : explanation.invoices) total += invoice.total;
        EXPECT_EQ(total, row.total);
        if (row.kind == RowView::Kind::Invoice) {
            checkIdentity(row, explanation);
        } else {
            checkTotalRowInvoices(row, explanation, rows);
        }
        for (const auto& invoice : explanation.invoices) {
            checkInvoice(invoice, run_.lineByLine);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }

private:
    void checkIdentity(const RowView& row, const ex::DetailExplanation& explanation) {
        ASSERT_EQ(explanation.invoices.size(), row.invoices.size());
        for (std::size_t i = 0; i < row.invoices.size(); ++i) EXPECT_EQ(explanation.invoices[i].key, row.invoices[i]);
        // The numbers drawn in the row are those of the invoices listed.
        const std::string& first = row.invoices.front().number;
        const std::string& last = row.invoices.back().number;
        const std::string expected = row.invoices.size() == 1 ? first : first + " - " + last;
        if (("|" + row.shownNumbers + "|").find("|" + expected + "|") == std::string::npos) {
            // The pre-invoicing rows show special and ordinary invoices' numbers only.
            const InvoiceFacts* facts = factsOf(row.invoices.front(), "");
            ASSERT_NE(facts, nullptr);
            EXPECT_TRUE(run_.report == Report::PreInvoicing && facts->typeName.find("专用发票") == std::string::npos &&
                        facts->typeName.find("普通发票") == std::string::npos)
                << "the row shows " << row.shownNumbers << ", its invoices are " << expected;
        }
        for (const auto& invoice : explanation.invoices) EXPECT_EQ(invoice.counted, row.counted);
        tally_.merged += row.invoices.size() > 1;
        tally_.marked += !row.counted;
        tally_.lineRows += row.lineRow > 1;
    }

    // A total row lists the invoices of the rows it adds up, in their order.
    void checkTotalRowInvoices(const RowView& row, const ex::DetailExplanation& explanation,
                               const std::vector<RowView>& rows) {
        std::vector<InvoiceKey> expected;
        for (const auto& detail : rows) {
            if (detail.kind != RowView::Kind::Invoice) continue;
            const bool takes = row.kind == RowView::Kind::GrandTotal ? detail.counted : detail.method == row.method;
            if (takes) expected.insert(expected.end(), detail.invoices.begin(), detail.invoices.end());
        }
        std::vector<InvoiceKey> listed;
        for (const auto& invoice : explanation.invoices) listed.push_back(invoice.key);
        EXPECT_EQ(listed, expected) << "not the invoices of the rows the total adds up";
        (row.kind == RowView::Kind::GrandTotal ? tally_.totals : tally_.methods) += 1;
    }

    void checkInvoice(const ex::ExplainedInvoice& invoice, bool lineByLine) {
        SCOPED_TRACE("invoice " + invoice.key.number + " / " + invoice.key.batch);
        ++tally_.invoices;
        const InvoiceFacts* facts = factsOf(invoice.key, "");
        ASSERT_NE(facts, nullptr) << "no such invoice";
        checkConditions(*facts);
        EXPECT_EQ(invoice.exchangedFrom, facts->exchangedFrom.value_or(""));
        EXPECT_EQ(invoice.voidedOn.empty(), !facts->voided);
        for (const auto& by : invoice.exchangedBy) {
            const InvoiceFacts* replacing = factsOf(by, "");
            ASSERT_NE(replacing, nullptr);
            EXPECT_EQ(replacing->exchangedFrom.value_or(""), invoice.key.number);
            EXPECT_EQ(replacing->department, run_.department);
            ++tally_.exchanged;
        }
        if (!invoice.counted) {
            for (Cents v : invoice.values) EXPECT_EQ(v, 0) << "a marked invoice shows an amount";
            EXPECT_TRUE(facts->voided || facts->exchangedFrom || run_.report == Report::VatInvoicing)
                << "only the VAT report marks invoices issued in advance";
        }

        // Per item: the listed lines are the invoice's own lines of the item's code, and
        // their sums, rounded as the report rounds, are the invoice's columns.
        std::size_t column = 0;
        for (std::size_t i = 0; i < run_.items.size(); ++i) {
            const auto& item = run_.items[i];
            std::vector<std::pair<double, std::optional<double>>> listed;
            double net = 0, tax = 0, shares = 0;
            for (const auto& line : invoice.lines) {
                if (line.item != i) continue;
                EXPECT_EQ(line.line.feeCode, item.code);
                EXPECT_EQ(line.line.feeName, item.cleanedName);
                listed.emplace_back(line.line.amount,
                                    line.line.taxIsNull ? std::nullopt : std::optional<double>(line.line.tax));
                net += line.line.amount - line.line.tax;
                tax += line.line.tax;
                shares += (line.line.amount - line.line.tax) * run_.ratios[i];
                EXPECT_NEAR(line.line.value, invoice.counted ? line.line.amount : 0, 0.00005);
                ++tally_.lines;
            }
            checkLinesOfCode(invoice.key, item.code, listed, lineByLine);
            if (!invoice.counted || invoice.values.empty()) {
                column += item.valueColumnCount();
                continue;
            }
            ASSERT_LE(column + item.valueColumnCount(), invoice.values.size());
            if (item.isParking()) {
                EXPECT_EQ(invoice.values[column] + invoice.values[column + 1], cents(net)) << item.cleanedName;
                if (!lineByLine) {
                    const double share = run_.report == Report::Parking ? shares : net * run_.ratios[i];
                    EXPECT_EQ(invoice.values[column + 1], cents(share)) << item.cleanedName << " property share";
                }
                EXPECT_EQ(invoice.values[column + 2], cents(tax)) << item.cleanedName << " tax";
            } else {
                EXPECT_EQ(invoice.values[column], cents(net)) << item.cleanedName;
                EXPECT_EQ(invoice.values[column + 1], cents(tax)) << item.cleanedName << " tax";
            }
            column += item.valueColumnCount();
        }
    }

    // The invoice's stored lines of the code, read by the test: all listed for a row of the
    // whole invoice, some of them (one a row) line by line.
    void checkLinesOfCode(const InvoiceKey& key, const std::string& code,
                          std::vector<std::pair<double, std::optional<double>>> listed, bool lineByLine) {
        if (code.empty()) {
            EXPECT_TRUE(listed.empty()) << "a line of an item without a code";
            return;
        }
        const InvoiceFacts* facts = factsOf(key, code);
        ASSERT_NE(facts, nullptr);
        auto stored = facts->linesOfCode;
        auto order = [](const auto& a, const auto& b) {
            return std::make_tuple(a.first, a.second.has_value(), a.second.value_or(0)) <
                   std::make_tuple(b.first, b.second.has_value(), b.second.value_or(0));
        };
        std::sort(stored.begin(), stored.end(), order);
        std::sort(listed.begin(), listed.end(), order);
        if (!lineByLine) {
            EXPECT_EQ(listed, stored) << "the listed lines of " << code << " are not the invoice's";
            return;
        }
        EXPECT_LE(listed.size(), 1u) << "a line-by-line row holds one line of each item";
        for (const auto& line : listed)
            EXPECT_NE(std::find(stored.begin(), stored.end(), line), stored.end()) << "no such line of " << code;
    }

    void checkConditions(const InvoiceFacts& facts) {
        EXPECT_EQ(facts.department, run_.department);
        const bool issuedIn = facts.issuedDay >= run_.from && facts.issuedDay <= run_.to;
        const bool collectedIn =
            facts.collectedDay && *facts.collectedDay >= run_.from && *facts.collectedDay <= run_.to;
        switch (run_.rule) {
        case PeriodRule::Collected:
            EXPECT_TRUE(collectedIn) << "collected " << facts.collectedDay.value_or("never");
            EXPECT_FALSE(facts.voided);
            break;
        case PeriodRule::IssuedOrCollectedLater:
            EXPECT_TRUE(issuedIn || (collectedIn && facts.issuedDay < *facts.collectedDay))
                << "issued " << facts.issuedDay << ", collected " << facts.collectedDay.value_or("never");
            break;
        case PeriodRule::IssuedAndUncollected:
            EXPECT_TRUE(issuedIn) << "issued " << facts.issuedDay;
            EXPECT_TRUE(!facts.collectedDay || *facts.collectedDay > run_.to)
                << "collected " << *facts.collectedDay << " by the period's end";
            EXPECT_FALSE(facts.voided);
            break;
        }
        if (run_.report != Report::Parking) {
            EXPECT_EQ(facts.fixedAmount, 0) << "a type outside the list";
        }
    }

    const InvoiceFacts* factsOf(const InvoiceKey& key, const std::string& code) {
        auto at = std::make_tuple(key.number, key.batch, code);
        auto found = facts_.find(at);
        if (found == facts_.end())
            found = facts_.emplace(at, readInvoiceFacts(connection_, key.number, key.batch, code)).first;
        return found->second ? &*found->second : nullptr;
    }

    data::Connection& connection_;
    const Run& run_;
    Tally& tally_;
    std::map<std::tuple<std::string, std::string, std::string>, std::optional<InvoiceFacts>> facts_;
};

std::vector<double> ratiosOf(const FeeItemList& items, const reports::SplitRatioRows& splits) {
    auto texts = reports::propertyRatios(items, splits);
    EXPECT_TRUE(texts.ok());
    std::vector<double> ratios;
    if (texts.ok())
        for (const auto& text : texts.value()) ratios.push_back(text.empty() ? 0 : reports::propertyRatioValue(text));
    return ratios;
}

template <class Explainer>
void checkRows(data::Connection& connection, const Run& run, Explainer& explainer, const std::vector<RowView>& rows,
               Tally& tally) {
    DetailChecker checker(connection, run, tally);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE("row " + std::to_string(r + 1));
        auto explained = explainer.explain(static_cast<int>(r));
        ASSERT_TRUE(explained.ok()) << explained.error().messageText();
        ++tally.rows;
        checker.check(rows[r], explained.value(), rows);
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_FALSE(explainer.explain(static_cast<int>(rows.size())).ok()) << "a row past the result";
}

std::string methodForTotals(const std::string& method) { return method == "微信" ? "微信支付" : method; }

void checkParking(data::Connection& connection, const reports::ReportRequest& request, const FeeItemList& extracted,
                  Random& random, Tally& tally) {
    FeeItemList items;
    for (const auto& item : extracted)
        if (item.isParking()) items.push_back(item);
    if (items.empty()) return;
    const auto splits = equivalence::randomSplits(items, random);
    auto rows = reports::parking::RunParkingStatistics(connection, request, items, splits);
    ASSERT_TRUE(rows.ok()) << rows.error().messageText();
    std::vector<RowView> views;
    for (const auto& row : rows.value()) {
        RowView view;
        view.kind = row.rowKind == reports::parking::ParkingRowKind::Detail       ? RowView::Kind::Invoice
                    : row.rowKind == reports::parking::ParkingRowKind::GrandTotal ? RowView::Kind::GrandTotal
                                                                                  : RowView::Kind::Method;
        view.values = row.rowKind == reports::parking::ParkingRowKind::Detail ? row.amounts : std::vector<Cents>{};
        view.total = row.total;
        view.invoices = row.invoices;
        view.method = methodForTotals(row.paymentMethod);
        view.shownNumbers = row.label;
        views.push_back(std::move(view));
    }
    const Run run{
        Report::Parking, PeriodRule::Collected,  request.fromKey, request.toKey, request.department.departmentCode,
        items,           ratiosOf(items, splits)};
    ex::ParkingExplainer explainer(connection, request, items, splits, rows.value());
    checkRows(connection, run, explainer, views, tally);
}

void checkVatInvoicing(data::Connection& connection, const reports::ReportRequest& request, const FeeItemList& items,
                       Random& random, reports::vat::VatRowForm form, Tally& tally) {
    if (items.empty()) return;
    const auto splits = equivalence::randomSplits(items, random);
    auto result = reports::vat::RunVatInvoicing(connection, request, items, splits, form);
    ASSERT_TRUE(result.ok()) << result.error().messageText();
    const auto& rows = dynamic_cast<const reports::vat::VatInvoicingResult&>(*result.value()).rows();
    std::vector<RowView> views;
    for (const auto& row : rows) {
        RowView view;
        view.kind = row.kind == reports::vat::RowKind::Invoice      ? RowView::Kind::Invoice
                    : row.kind == reports::vat::RowKind::GrandTotal ? RowView::Kind::GrandTotal
                                                                    : RowView::Kind::Method;
        view.values = row.values;
        view.total = row.total;
        if (view.kind == RowView::Kind::Invoice) view.invoices = {{row.invoiceNumber, row.batch}};
        view.lineRow = row.lineRow;
        view.counted = !row.voided && !row.exchange && row.methodText != "预开";
        view.method = row.methodText;
        view.shownNumbers =
            row.specialNumber + "|" + row.ordinaryNumber + "|" + row.electronicNumber + "|" + row.receiptNumber;
        views.push_back(std::move(view));
    }
    Run run{Report::VatInvoicing,   PeriodRule::IssuedOrCollectedLater, request.fromKey,
            request.toKey,          request.department.departmentCode,  items,
            ratiosOf(items, splits)};
    run.lineByLine = form == reports::vat::VatRowForm::LineByLine;
    ex::VatInvoicingExplainer explainer(connection, request, items, splits, rows, form);
    checkRows(connection, run, explainer, views, tally);
}

void checkPreInvoicing(data::Connection& connection, const reports::ReportRequest& request, const FeeItemList& items,
                       Random& random, Tally& tally) {
    if (items.empty()) return;
    const auto splits = equivalence::randomSplits(items, random);
    auto rows = reports::preinvoice::RunPreInvoiceStatistics(connection, request, items, splits);
    ASSERT_TRUE(rows.ok()) << rows.error().messageText();
    std::vector<RowView> views;
    for (const auto& row : rows.value()) {
        RowView view;
        view.kind = row.isTotals ? RowView::Kind::GrandTotal : RowView::Kind::Invoice;
        view.values = row.amounts;
        view.total = row.total;
        if (!row.isTotals) view.invoices = {row.invoice};
        view.shownNumbers = row.specialNumber + "|" + row.ordinaryNumber;
        views.push_back(std::move(view));
    }
    const Run run{Report::PreInvoicing,   PeriodRule::IssuedAndUncollected,  request.fromKey,
                  request.toKey,          request.department.departmentCode, items,
                  ratiosOf(items, splits)};
    ex::PreInvoiceExplainer explainer(connection, request, items, splits, rows.value());
    checkRows(connection, run, explainer, views, tally);
}

std::string departmentWithSharedCollections(data::Connection& connection) {
    auto rs = connection.open("SELECT 开票部门编号 FROM 票据 WHERE 票据编号 LIKE '%S' ORDER BY 票据编号");
    return rs->eof() ? "" : rs->field(0).text();
}

TEST(DetailDrillDown, EveryRowIsItsInvoicesColumnByColumnAndEachInvoiceMeetsTheReportsConditions) {
    Tally tally;
    forSmallDemoDatabases([&](data::Connection& connection, Random& random, const Corpus& corpus) {
        auto typeList = reports::LoadInvoiceTypeList(connection);
        ASSERT_TRUE(typeList.ok()) << typeList.error().description;
        const reports::vat::VatInvoicingReport vatReport;
        auto selections = equivalence::detailSelections(connection, random, corpus);
        // A department with merged parking rows over all the database's years too, so that
        // every run meets the rare rows (merged, exchanged, marked).
        const std::string merged = departmentWithSharedCollections(connection);
        for (const auto& listed : reports::LoadEveryDepartment(connection).entries)
            if (listed.entry.departmentCode == merged) {
                selections.push_back({listed.entry, std::to_string(corpus.firstYear) + "0101",
                                      std::to_string(corpus.lastYear + 1) + "1231", "all the years"});
                break;
            }
        for (const auto& s : selections) {
            SCOPED_TRACE(s.shown());
            const reports::ReportRequest request{s.department, s.fromKey, s.toKey, typeList.value()};
            {
                SCOPED_TRACE("parking");
                auto extraction = reports::parking::ExtractParkingFeeItems(connection, request);
                ASSERT_FALSE(extraction.error) << extraction.error->messageText();
                checkParking(connection, request, extraction.items, random, tally);
            }
            {
                SCOPED_TRACE("VAT invoicing");
                auto extraction = vatReport.extractFeeItems(connection, request);
                ASSERT_FALSE(extraction.error) << extraction.error->messageText();
                const auto& items = extraction.items;
                checkVatInvoicing(connection, request, items, random, reports::vat::rowFormFor(items), tally);
                SCOPED_TRACE("line by line");
                checkVatInvoicing(connection, request, equivalence::randomSubset(items, random), random,
                                  reports::vat::VatRowForm::LineByLine, tally);
            }
            {
                SCOPED_TRACE("VAT pre-invoicing");
                auto extraction = reports::preinvoice::ExtractPreInvoiceFeeItems(connection, request);
                ASSERT_FALSE(extraction.error) << extraction.error->messageText();
                checkPreInvoicing(connection, request, equivalence::randomSubset(extraction.items, random), random,
                                  tally);
            }
            if (::testing::Test::HasFatalFailure()) return;
        }
    });
    std::printf(
        "explained %d rows (%d totals, %d payment methods, %d merged, %d marked, %d later line rows): %d invoices, "
        "%d lines, %d exchanges\n",
        tally.rows, tally.totals, tally.methods, tally.merged, tally.marked, tally.lineRows, tally.invoices,
        tally.lines, tally.exchanged);
    // The databases and selections must have reached every kind of row.
    EXPECT_GT(tally.totals, 0);
    EXPECT_GT(tally.methods, 0);
    EXPECT_GT(tally.merged, 0);
    EXPECT_GT(tally.marked, 0);
    EXPECT_GT(tally.lineRows, 0);
    EXPECT_GT(tally.exchanged, 0);
}

}  // namespace
}  // namespace tally::testing::explain
