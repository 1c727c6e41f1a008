// Every amount cell of reconciliation runs over generated databases: its lines add up to
// the cell to the cent, and each line, read back on its own, meets the cell's conditions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

#include "Departments.h"
#include "ExplainCorpus.h"
#include "InvoiceFacts.h"
#include "ReconciliationExplain.h"
#include "ReconciliationHeadings.h"
#include "ReconciliationRun.h"
#include "Selections.h"

namespace tally::testing::explain {
namespace {

namespace rc = reports::reconciliation;
using reports::explain::ExplainedLine;
using reports::explain::ReconciliationExplainer;
using reports::explain::storedCode;

enum class Figure { SpecialNet, SpecialTax, OrdinaryNet, OrdinaryTax, Receipt, Item, HandOver, Collected, Uncollected };

struct Cell {
    Figure figure;
    int item = 0;       // Item: the item's position from 1
    std::string month;  // "" on the total row: any month of the selection
    std::string rate;   // the row's rate text; "" on subtotal and total rows, and on a row of no rate
    bool detailRow = false;
};

Figure figureOf(const rc::ReconciliationColumns& col, int column, int& item) {
    switch (column) {
    case rc::ReconciliationColumns::kSpecialNet: return Figure::SpecialNet;
    case rc::ReconciliationColumns::kSpecialTax: return Figure::SpecialTax;
    case rc::ReconciliationColumns::kOrdinaryNet: return Figure::OrdinaryNet;
    case rc::ReconciliationColumns::kOrdinaryTax: return Figure::OrdinaryTax;
    case rc::ReconciliationColumns::kReceipt: return Figure::Receipt;
    }
    if (column == col.handOverTotal()) return Figure::HandOver;
    if (column == col.collectedPreInvoiced()) return Figure::Collected;
    if (column == col.uncollectedPreInvoiced()) return Figure::Uncollected;
    item = column - rc::ReconciliationColumns::kReceipt;
    return Figure::Item;
}

bool near(double a, double b) { return std::fabs(a - b) < 0.00005; }

class LineChecker {
public:
    LineChecker(data::Connection& connection, const rc::ReconciliationSelection& selection,
                const rc::ReconciliationFeeItems& items)
        : connection_(connection), selection_(selection), items_(items) {}

    void check(const ExplainedLine& line, const Cell& cell) {
        SCOPED_TRACE("line " + line.invoiceNumber + " / " + line.batch + " code " + line.feeCode + " amount " +
                     std::to_string(line.amount));
        const InvoiceFacts* facts = factsOf(line);
        ASSERT_NE(facts, nullptr) << "no such invoice";
        EXPECT_EQ(facts->department, selection_.department.departmentCode);
        EXPECT_FALSE(facts->voided);
        EXPECT_EQ(facts->fixedAmount, 0) << "a type outside the list of all types";
        bool listedCode = false;
        for (const auto& item : items_) listedCode = listedCode || storedCode(item.code) == line.feeCode;
        EXPECT_TRUE(listedCode) << "a code of no extracted item";
        bool stored = false;
        for (const auto& [amount, tax] : facts->linesOfCode)
            stored = stored || (near(amount, line.amount) && (tax ? near(*tax, line.tax) : line.taxIsNull));
        EXPECT_TRUE(stored) << "no stored line of that code, amount and tax";

        const std::string month = cell.month.empty() ? monthOfFigure(*facts, cell.figure) : cell.month;
        EXPECT_GE(month, selection_.monthKey(selection_.startMonthValue()));
        EXPECT_LE(month, selection_.monthKey(selection_.endMonthValue()));
        const auto collected = facts->collectedMonth;
        switch (cell.figure) {
        case Figure::SpecialNet:
        case Figure::SpecialTax:
            EXPECT_NE(facts->typeName.find("增值税专用发票"), std::string::npos) << facts->typeName;
            EXPECT_EQ(facts->issuedMonth, month);
            break;
        case Figure::OrdinaryNet:
        case Figure::OrdinaryTax:
            EXPECT_NE(facts->typeName.find("增值税普通发票"), std::string::npos) << facts->typeName;
            EXPECT_EQ(facts->issuedMonth, month);
            break;
        case Figure::Receipt:
            EXPECT_EQ(facts->typeName, "收据");
            EXPECT_EQ(facts->issuedMonth, month);
            break;
        case Figure::Item:
            EXPECT_EQ(line.feeCode, storedCode(items_[static_cast<std::size_t>(cell.item - 1)].code));
            [[fallthrough]];
        case Figure::HandOver:
            ASSERT_TRUE(collected.has_value()) << "handed over without a collection date";
            EXPECT_EQ(*collected, month);
            EXPECT_LE(facts->issuedMonth, month);
            break;
        case Figure::Collected:
            ASSERT_TRUE(collected.has_value());
            EXPECT_EQ(*collected, month);
            EXPECT_LT(facts->issuedMonth, month);
            break;
        case Figure::Uncollected:
            EXPECT_EQ(facts->issuedMonth, month);
            if (collected) {
                EXPECT_GT(*collected, facts->issuedMonth);
            }
            break;
        }

        const bool rated = cell.figure != Figure::Collected && cell.figure != Figure::Uncollected;
        if (rated) {
            checkRate(line, cell);
        } else {
            EXPECT_EQ(line.rate, "");
        }
        checkValue(line, cell.figure);
    }

private:
    // On the total row the month is the one the figure counts the line in.
    static std::string monthOfFigure(const InvoiceFacts& facts, Figure figure) {
        switch (figure) {
        case Figure::Item:
        case Figure::HandOver:
        case Figure::Collected: return facts.collectedMonth.value_or("");
        default: return facts.issuedMonth;
        }
    }

    void checkRate(const ExplainedLine& line, const Cell& cell) {
        // The office's settings of the code hold the line's rate (or no rate).
        bool inSettings = false;
        for (const auto& rate : settingsRates(connection_, selection_.department.officeCode, line.feeCode))
            inSettings = inSettings ||
                         (line.rate.empty() ? !rate : rate && near(*rate, std::strtod(line.rate.c_str(), nullptr)));
        EXPECT_TRUE(inSettings) << "rate '" << line.rate << "' is not the office's setting of " << line.feeCode;
        if (!cell.detailRow) return;
        const double rowRate = std::strtod(cell.rate.c_str(), nullptr);
        switch (cell.figure) {
        case Figure::SpecialNet:
        case Figure::SpecialTax:
        case Figure::OrdinaryNet:
        case Figure::OrdinaryTax: EXPECT_EQ(line.rate, cell.rate); break;
        case Figure::Receipt:
            // a row's own rate; receipts of no rate on the row of rate 0 or the row of no rate
            if (line.rate.empty()) {
                EXPECT_TRUE(cell.rate.empty() || cell.rate == "0");
            } else {
                EXPECT_EQ(line.rate, cell.rate);
            }
            break;
        case Figure::Item:
        case Figure::HandOver:
            if (line.rate.empty()) {
                EXPECT_TRUE(cell.rate.empty() || rowRate <= 0) << "no-rate hand-over on a row of rate " << cell.rate;
            } else {
                EXPECT_EQ(line.rate, cell.rate);
            }
            break;
        default: break;
        }
    }

    static void checkValue(const ExplainedLine& line, Figure figure) {
        switch (figure) {
        case Figure::SpecialNet:
        case Figure::OrdinaryNet: EXPECT_TRUE(near(line.value, line.amount - line.tax)); break;
        case Figure::SpecialTax:
        case Figure::OrdinaryTax: EXPECT_TRUE(near(line.value, line.tax)); break;
        default: EXPECT_TRUE(near(line.value, line.amount)); break;
        }
    }

    const InvoiceFacts* factsOf(const ExplainedLine& line) {
        auto key = std::make_tuple(line.invoiceNumber, line.batch, line.feeCode);
        auto found = facts_.find(key);
        if (found == facts_.end())
            found =
                facts_.emplace(key, readInvoiceFacts(connection_, line.invoiceNumber, line.batch, line.feeCode)).first;
        return found->second ? &*found->second : nullptr;
    }

    data::Connection& connection_;
    const rc::ReconciliationSelection& selection_;
    const rc::ReconciliationFeeItems& items_;
    std::map<std::tuple<std::string, std::string, std::string>, std::optional<InvoiceFacts>> facts_;
};

struct Tally {
    int cells = 0, nonZero = 0, subtotals = 0, totals = 0, corrections = 0, lines = 0;
};

void checkRun(data::Connection& connection, const rc::ReconciliationSelection& selection,
              const rc::InvoiceTypeLists& lists, Tally& tally) {
    SCOPED_TRACE(equivalence::shown(selection));
    rc::ReconciliationRun run = rc::RunReconciliation(connection, selection, lists);
    if (run.end != rc::RunEnd::Completed) return;
    ASSERT_TRUE(run.reported.empty()) << run.reported.front().messageText();
    const rc::ReconciliationTable& table = run.table;
    const rc::ReconciliationColumns col{static_cast<int>(run.items.size())};
    ReconciliationExplainer explainer(connection, selection, lists, run.items, table);
    LineChecker checker(connection, selection, run.items);
    for (int r = rc::ReconciliationTable::kHeadingRows; r < table.rowCount(); ++r) {
        const bool total = table.text(r, col.kMonth) == rc::kTotalMark;
        const bool subtotal = table.text(r, col.kRate) == rc::kSubtotalMark;
        for (int c : {int(col.kNumber), int(col.kMonth), int(col.kRate), col.difference(), col.remark()})
            EXPECT_FALSE(explainer.explain(r, c).ok()) << "row " << r << " column " << c << " has no lines";
        for (int c = col.kSpecialNet; c <= col.uncollectedPreInvoiced(); ++c) {
            if (table.text(r, c).empty()) {
                EXPECT_FALSE(explainer.explainable(r, c)) << "row " << r << " column " << c;
                continue;
            }
            SCOPED_TRACE("row " + std::to_string(r) + " column " + std::to_string(c) + " '" + table.text(r, c) + "'");
            auto explained = explainer.explain(r, c);
            ASSERT_TRUE(explained.ok()) << explained.error().messageText();
            EXPECT_EQ(explained.value().total(), table.value(r, c)) << "the lines' total is not the cell";
            ++tally.cells;
            if (explained.value().total() == 0) continue;
            ++tally.nonZero;
            tally.subtotals += subtotal;
            tally.totals += total;
            tally.corrections += c > col.handOverTotal();
            Cell cell;
            cell.figure = figureOf(col, c, cell.item);
            cell.month = total ? "" : table.text(r, col.kMonth);
            cell.detailRow = !total && !subtotal;
            cell.rate = cell.detailRow ? table.text(r, col.kRate) : "";
            for (const auto& line : explained.value().lines()) {
                checker.check(line, cell);
                ++tally.lines;
                if (::testing::Test::HasFatalFailure()) return;
            }
        }
    }
}

TEST(ReconciliationDrillDown, EveryAmountCellIsItsLinesTotalAndEachLineMeetsItsConditions) {
    Tally tally;
    forSmallDemoDatabases([&](data::Connection& connection, Random& random, const Corpus& corpus) {
        auto lists = rc::LoadInvoiceTypeLists(connection);
        ASSERT_TRUE(lists.ok()) << lists.error().description;
        for (const auto& selection : equivalence::reconciliationSelections(connection, random, corpus))
            checkRun(connection, selection, lists.value(), tally);
        // The random months may miss every pre-invoiced correction of a small database: until
        // one was explained, every department's whole years are explained too.
        if (tally.corrections > 0) return;
        for (const auto& department : reports::LoadDepartmentList(connection).entries)
            for (int year = corpus.firstYear; year <= corpus.lastYear; ++year)
                checkRun(connection, {std::to_string(year), "01", "12", department}, lists.value(), tally);
    });
    std::printf("explained %d cells (%d not zero: %d subtotals, %d totals, %d pre-invoicing), %d lines checked\n",
                tally.cells, tally.nonZero, tally.subtotals, tally.totals, tally.corrections, tally.lines);
    // The databases and selections must have reached every kind of cell.
    EXPECT_GT(tally.nonZero, 0);
    EXPECT_GT(tally.subtotals, 0);
    EXPECT_GT(tally.totals, 0);
    EXPECT_GT(tally.corrections, 0);
}

}  // namespace
}  // namespace tally::testing::explain
