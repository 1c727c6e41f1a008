#pragma once
// Finding a row of a result by an invoice number, a payer or an amount, over all its rows
// (every page). The windows only ask and then show the row found.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Money.h"

namespace tally::reports::explain {

class ResultSearch {
public:
    // Blanks around the query are ignored. A query that reads as an amount ("1234.5",
    // "1,234.50", "-30") also finds cells holding that amount, however they write it.
    explicit ResultSearch(const std::string& query);

    bool empty() const { return text_.empty(); }
    // A cell matches when it contains the query (ASCII letters compared without case),
    // or holds the query's amount.
    bool matches(const std::string& cellText) const;
    bool matchesRow(const std::vector<std::string>& cells) const;

private:
    std::string text_;
    std::string folded_;
    std::optional<Cents> amount_;
};

// The first row after `afterRow` with a matching cell, going on from row 0 past the end
// (zero-based; -1 starts at row 0). nullopt when no row matches or the query is empty.
// `rowCells` gives a row's cell texts.
std::optional<int> findRow(const ResultSearch& search, int rowCount,
                           const std::function<std::vector<std::string>(int)>& rowCells, int afterRow = -1);

}  // namespace tally::reports::explain
