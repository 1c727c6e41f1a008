#include "ReconciliationExplain.h"

#include <cstdlib>

#include "ReconciliationHeadings.h"
#include "ReconciliationStatements.h"

namespace tally::reports::explain {
namespace {

namespace rc = reconciliation;
using Columns = rc::ReconciliationColumns;

// The rate column's text of a settings rate, as the month rows write it.
std::string rateText(const data::Value& rate) { return rate.number() == 0 ? "0" : decimalText(rate.number()); }

}  // namespace

std::string storedCode(const std::string& quotedCode) {
    if (quotedCode.size() < 2 || quotedCode.front() != '\'' || quotedCode.back() != '\'') return quotedCode;
    std::string code;
    for (std::size_t i = 1; i + 1 < quotedCode.size(); ++i) {
        code += quotedCode[i];
        if (quotedCode[i] == '\'' && quotedCode[i + 1] == '\'') ++i;
    }
    return code;
}

ReconciliationExplainer::ReconciliationExplainer(data::Connection& connection, rc::ReconciliationSelection selection,
                                                 rc::InvoiceTypeLists typeLists, rc::ReconciliationFeeItems items,
                                                 rc::ReconciliationTable table)
    : connection_(connection),
      selection_(std::move(selection)),
      typeLists_(std::move(typeLists)),
      items_(std::move(items)),
      table_(std::move(table)) {}

std::string ReconciliationExplainer::feeName(const std::string& code) const {
    for (const auto& item : items_)
        if (storedCode(item.code) == code) return item.name;
    return "";
}

const std::vector<ReconciliationExplainer::MonthLine>& ReconciliationExplainer::monthLines(
    const std::string& monthKey) {
    auto found = months_.find(monthKey);
    if (found != months_.end()) return found->second;
    std::vector<MonthLine> lines;
    const auto scope = rc::statementScope(selection_, typeLists_);
    for (auto rs = connection_.open(rc::monthLinesStatement(scope, monthKey, items_), data::Connection::kNoTimeout);
         !rs->eof(); rs->moveNext()) {
        MonthLine m;
        m.line = readExplainedLine(*rs);
        m.line.feeName = feeName(m.line.feeCode);
        const auto& rate = rs->field("税率");
        m.rated = !rate.isNull();
        m.line.rate = m.rated ? rateText(rate) : "";
        m.special = rs->field("专用").number() != 0;
        m.ordinary = rs->field("普通").number() != 0;
        m.receipt = rs->field("收据").number() != 0;
        m.handedOver = rs->field("交账").number() != 0;
        lines.push_back(std::move(m));
    }
    return months_.emplace(monthKey, std::move(lines)).first->second;
}

const std::vector<ExplainedLine>& ReconciliationExplainer::preInvoicedLines(const std::string& monthKey,
                                                                            bool collected) {
    const auto key = std::make_pair(monthKey, collected);
    auto found = preInvoiced_.find(key);
    if (found != preInvoiced_.end()) return found->second;
    std::vector<ExplainedLine> lines;
    const std::string sql = rc::preInvoicedLinesStatement(collected, selection_.department.departmentCode,
                                                          typeLists_.all, monthKey, rc::reconciliationCodeList(items_));
    for (auto rs = connection_.open(sql, data::Connection::kNoTimeout); !rs->eof(); rs->moveNext()) {
        ExplainedLine line = readExplainedLine(*rs);
        line.feeName = feeName(line.feeCode);
        line.value = line.amount;
        lines.push_back(std::move(line));
    }
    return preInvoiced_.emplace(key, std::move(lines)).first->second;
}

bool ReconciliationExplainer::explainable(int row, int column) const {
    if (row < rc::ReconciliationTable::kHeadingRows || row >= table_.rowCount()) return false;
    const Columns col{static_cast<int>(items_.size())};
    if (table_.columnCount() != col.count()) return false;
    if (table_.text(row, Columns::kMonth) == rc::kTotalMark || table_.text(row, Columns::kRate) == rc::kSubtotalMark)
        return column >= Columns::kSpecialNet && column <= col.uncollectedPreInvoiced() &&
               !table_.text(row, column).empty();
    return column >= Columns::kSpecialNet && column <= col.handOverTotal();
}

Outcome<Explanation> ReconciliationExplainer::explain(int row, int column) {
    if (!explainable(row, column)) return ReportError::refused(kNotAnAmountCell);
    try {
        return explainCell(row, column);
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
}

Explanation ReconciliationExplainer::explainCell(int row, int column) {
    const Columns col{static_cast<int>(items_.size())};
    Explanation explanation;
    if (table_.text(row, Columns::kMonth) == rc::kTotalMark) {
        // The grand total adds up the subtotal rows only.
        for (int r = rc::ReconciliationTable::kHeadingRows; r < row; ++r)
            if (table_.text(r, Columns::kRate) == rc::kSubtotalMark) explanation.append(explainCell(r, column));
        return explanation;
    }
    const std::string& month = table_.text(row, Columns::kMonth);
    if (table_.text(row, Columns::kRate) == rc::kSubtotalMark) {
        if (column == col.collectedPreInvoiced() || column == col.uncollectedPreInvoiced()) {
            explanation.addPart(preInvoicedLines(month, column == col.collectedPreInvoiced()));
            return explanation;
        }
        for (int r = rc::ReconciliationTable::kHeadingRows; r < row; ++r)
            if (table_.text(r, Columns::kMonth) == month && table_.text(r, Columns::kRate) != rc::kSubtotalMark)
                explanation.append(detailCell(r, column));
        return explanation;
    }
    return detailCell(row, column);
}

Explanation ReconciliationExplainer::detailCell(int row, int column) {
    const Columns col{static_cast<int>(items_.size())};
    Explanation explanation;
    if (column == col.handOverTotal()) {
        // The row's 小计 adds up its items' shown amounts, each rounded on its own.
        for (int k = 1; k <= col.itemCount; ++k) explanation.append(detailCell(row, col.item(k)));
        return explanation;
    }
    const std::string& month = table_.text(row, Columns::kMonth);
    const std::string& rate = table_.text(row, Columns::kRate);
    const bool noRateRow = rate.empty();  // the month's receipts of no rate, shown when it has no row of rate 0
    const auto& lines = monthLines(month);

    auto pick = [&](auto test, auto valueOf) {
        std::vector<ExplainedLine> picked;
        for (const auto& m : lines)
            if (test(m)) {
                picked.push_back(m.line);
                picked.back().value = valueOf(m.line);
            }
        return picked;
    };
    auto ofRowRate = [&](const MonthLine& m) { return !noRateRow && m.rated && m.line.rate == rate; };
    auto net = [](const ExplainedLine& l) { return l.amount - l.tax; };
    auto tax = [](const ExplainedLine& l) { return l.tax; };
    auto amount = [](const ExplainedLine& l) { return l.amount; };

    if (column == Columns::kSpecialNet || column == Columns::kSpecialTax) {
        explanation.addPart(pick([&](const MonthLine& m) { return ofRowRate(m) && m.special; },
                                 column == Columns::kSpecialNet ? +net : +tax));
    } else if (column == Columns::kOrdinaryNet || column == Columns::kOrdinaryTax) {
        explanation.addPart(pick([&](const MonthLine& m) { return ofRowRate(m) && m.ordinary; },
                                 column == Columns::kOrdinaryNet ? +net : +tax));
    } else if (column == Columns::kReceipt) {
        explanation.addPart(pick([&](const MonthLine& m) { return ofRowRate(m) && m.receipt; }, amount));
        if (noRateRow || rate == "0") {
            // Receipts of no rate join the row of rate 0, or show on a row of their own.
            Explanation noRate;
            noRate.addPart(pick([](const MonthLine& m) { return !m.rated && m.receipt; }, amount));
            if (noRate.total() != 0) explanation.append(noRate);
        }
    } else {
        const auto& item = items_.at(static_cast<std::size_t>(column - Columns::kReceipt - 1));
        const std::string code = item.code.empty() ? std::string() : storedCode(item.code);
        auto handedOverOfItem = [&](const MonthLine& m) {
            return !item.code.empty() && m.handedOver && m.line.feeCode == code;
        };
        auto noRateLines = [&] {
            return pick([&](const MonthLine& m) { return !m.rated && handedOverOfItem(m); }, amount);
        };
        if (noRateRow) {
            if (item.rate == 0) explanation.addPart(noRateLines());
        } else if (item.rate != 0) {
            explanation.addPart(pick([&](const MonthLine& m) { return ofRowRate(m) && handedOverOfItem(m); }, amount));
        } else if (std::strtod(rate.c_str(), nullptr) <= 0) {
            // An item of rate 0: its lines of the row's rate, or else its lines of no rate.
            auto own = pick([&](const MonthLine& m) { return ofRowRate(m) && handedOverOfItem(m); }, amount);
            explanation.addPart(own.empty() ? noRateLines() : std::move(own));
        }
    }
    return explanation;
}

}  // namespace tally::reports::explain
