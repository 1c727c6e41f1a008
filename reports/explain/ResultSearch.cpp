#include "ResultSearch.h"

#include <cctype>

namespace tally::reports::explain {
namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::string folded(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// "1,234.5" -> 123450; nullopt unless the whole text is a number with at most two decimals.
std::optional<Cents> amountOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != ',') digits += c;
    if (digits.empty()) return std::nullopt;
    std::size_t i = digits[0] == '-' ? 1 : 0, seen = 0, decimals = 0;
    bool point = false;
    for (; i < digits.size(); ++i) {
        if (digits[i] == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(digits[i]))) {
            ++seen;
            if (point) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (seen == 0 || decimals > 2) return std::nullopt;
    return parseCents(digits);
}

}  // namespace

ResultSearch::ResultSearch(const std::string& query)
    : text_(trimmed(query)), folded_(folded(text_)), amount_(amountOf(text_)) {}

bool ResultSearch::matches(const std::string& cellText) const {
    if (text_.empty()) return false;
    if (folded(cellText).find(folded_) != std::string::npos) return true;
    if (!amount_) return false;
    auto cell = amountOf(trimmed(cellText));
    return cell && *cell == *amount_;
}

bool ResultSearch::matchesRow(const std::vector<std::string>& cells) const {
    for (const auto& cell : cells)
        if (matches(cell)) return true;
    return false;
}

std::optional<int> findRow(const ResultSearch& search, int rowCount,
                           const std::function<std::vector<std::string>(int)>& rowCells, int afterRow) {
    if (search.empty() || rowCount <= 0) return std::nullopt;
    const int start = afterRow < 0 || afterRow >= rowCount ? 0 : afterRow + 1;
    for (int step = 0; step < rowCount; ++step) {
        const int row = (start + step) % rowCount;
        if (search.matchesRow(rowCells(row))) return row;
    }
    return std::nullopt;
}

}  // namespace tally::reports::explain
