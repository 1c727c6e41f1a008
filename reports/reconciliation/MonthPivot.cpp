#include "MonthPivot.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "LineSum.h"

namespace tally::reports::reconciliation {
namespace {

using data::Value;
using reports::LineSum;

// Fields of monthCodeSumsStatement.
constexpr int kRate = 0, kCode = 1, kSpecial = 2, kSpecialTax = 3, kOrdinary = 4, kOrdinaryTax = 5, kReceipt = 6,
              kHandOver = 7;

// A value as the database compares it: numbers by value, texts by their bytes, and the two
// never equal. Null has no key (it equals nothing).
std::optional<std::string> comparedAs(const Value& v) {
    if (v.isNull()) return std::nullopt;
    if (v.isText()) return "t" + v.text();
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, v.number()).ptr;
    return "n" + std::string(buf, end);
}

// The code of an item's SQL literal ('F''1' -> F'1); none for an item without a code.
std::optional<std::string> codeOfLiteral(const std::string& literal) {
    if (literal.size() < 2 || literal.front() != '\'' || literal.back() != '\'') return std::nullopt;
    std::string code;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        code += literal[i];
        if (literal[i] == '\'' && literal[i + 1] == '\'') ++i;
    }
    return code;
}

// One rate's sums: what was issued, and each item's hand-over.
struct RateSums {
    LineSum special, specialTax, ordinary, ordinaryTax, receipt;
    std::vector<LineSum> handOver;
};

Value sumOf(const RateSums* sums, LineSum RateSums::*member) { return sums ? (sums->*member).value() : Value(); }
Value handOverOf(const RateSums* sums, std::size_t k) { return sums ? sums->handOver[k].value() : Value(); }

// A rate above 0, as the database compares: a text is above any number.
bool aboveZero(const Value& rate) { return rate.isText() || rate.number() > 0; }

// Rows in rate order: numbers by value, then texts by their bytes.
bool rateBefore(const Value& a, const Value& b) {
    if (a.isText() != b.isText()) return b.isText();
    if (a.isText()) return a.text() < b.text();
    return a.number() < b.number();
}

std::string rowKey(const std::vector<Value>& row) {
    std::string key;
    for (const Value& v : row) key += comparedAs(v).value_or("~") + '\x1f';
    return key;
}

}  // namespace

MonthPivot::MonthPivot(data::Connection& connection, const StatementScope& scope, const std::string& monthKey,
                       const ReconciliationFeeItems& items) {
    std::unordered_map<std::string, std::vector<std::size_t>> itemsByCode;
    for (std::size_t k = 0; k < items.size(); ++k)
        if (auto code = codeOfLiteral(items[k].code)) itemsByCode[*code].push_back(k);

    std::map<std::string, RateSums> byRate;
    std::optional<RateSums> noRate;
    auto newSums = [&items] {
        RateSums sums;
        sums.handOver.resize(items.size());
        return sums;
    };
    {
        auto lines = connection.open(monthCodeSumsStatement(scope, monthKey, items), data::Connection::kNoTimeout);
        for (; !lines->eof(); lines->moveNext()) {
            const auto rate = comparedAs(lines->field(kRate));
            RateSums* sums = nullptr;
            if (rate) {
                auto [at, added] = byRate.try_emplace(*rate);
                if (added) at->second = newSums();
                sums = &at->second;
            } else {
                if (!noRate) noRate = newSums();
                sums = &*noRate;
            }
            sums->special.add(lines->field(kSpecial));
            sums->specialTax.add(lines->field(kSpecialTax));
            sums->ordinary.add(lines->field(kOrdinary));
            sums->ordinaryTax.add(lines->field(kOrdinaryTax));
            sums->receipt.add(lines->field(kReceipt));
            const Value& code = lines->field(kCode);
            if (code.isNull()) continue;
            auto found = itemsByCode.find(code.text());
            if (found == itemsByCode.end()) continue;
            for (std::size_t k : found->second) sums->handOver[k].add(lines->field(kHandOver));
        }
    }

    const RateSums* noRateSums = noRate ? &*noRate : nullptr;
    std::set<std::string> shown;
    for (auto rates = connection.open(settingsRatesStatement(), data::Connection::kNoTimeout); !rates->eof();
         rates->moveNext()) {
        const Value rate = rates->field(0);
        const auto key = comparedAs(rate);
        const RateSums* sums = nullptr;
        if (key) {
            auto found = byRate.find(*key);
            if (found != byRate.end()) sums = &found->second;
        }
        if (sumOf(sums, &RateSums::special).isNull() && sumOf(sums, &RateSums::ordinary).isNull() &&
            sumOf(sums, &RateSums::receipt).isNull() && sumOf(noRateSums, &RateSums::receipt).isNull())
            continue;

        std::vector<Value> row{rate.isNull() ? Value::fromInteger(100) : rate,
                               sumOf(sums, &RateSums::special),
                               sumOf(sums, &RateSums::specialTax),
                               sumOf(sums, &RateSums::ordinary),
                               sumOf(sums, &RateSums::ordinaryTax),
                               rate.isNull() ? sumOf(noRateSums, &RateSums::receipt) : sumOf(sums, &RateSums::receipt)};
        for (std::size_t k = 0; k < items.size(); ++k) {
            if (items[k].rate != 0) row.push_back(handOverOf(sums, k));
            else if (!rate.isNull() && aboveZero(rate)) row.push_back(Value::fromInteger(0));
            else if (Value own = handOverOf(sums, k); !own.isNull()) row.push_back(own);
            else row.push_back(handOverOf(noRateSums, k));
        }
        if (shown.insert(rowKey(row)).second) rows_.push_back(std::move(row));
    }
    std::stable_sort(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return rateBefore(a[0], b[0]); });

    std::vector<std::string> names{"S税率", "专用发票", "专发税额", "普通发票", "普发税额", "S收据"};
    for (const auto& item : items) names.push_back(item.name);
    start(std::move(names));
}

bool MonthPivot::fetchRow(std::vector<Value>& row) {
    if (next_ >= rows_.size()) return false;
    row = std::move(rows_[next_++]);
    return true;
}

}  // namespace tally::reports::reconciliation
