#pragma once
// Result sets of two statements compared as the reports read them: same columns, the
// same rows cell by cell, numbers after rounding to 4 decimals (sums may be added in
// another order), texts byte for byte, Null only as Null. Where a statement sorts, the
// sequence of sort keys must match and rows with equal keys form a multiset, because
// the engine may return ties in any order.
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"
#include "Recordset.h"

namespace tally::testing::equivalence {

struct Cell {
    enum class Kind { Null, Number, Text };
    Kind kind = Kind::Null;
    double number = 0;  // as read, for Number
    std::string text;   // for Text

    static Cell ofNumber(double value);
    static Cell ofText(std::string value);
    // The number rounded to 4 decimals: what ordering and equality look at.
    double rounded() const;
    // "Null", "12.3456" or the text in quotes, with control bytes escaped.
    std::string shown() const;
};

bool sameCell(const Cell& a, const Cell& b);
// A total order over cells (Null, then numbers, then texts) agreeing with sameCell.
bool cellBefore(const Cell& a, const Cell& b);

using Row = std::vector<Cell>;

struct ResultSet {
    std::vector<std::string> columns;
    std::vector<Row> rows;
};

// Runs the statement through the connection and reads every row; throws data::DbError.
ResultSet readResult(data::Connection& connection, const std::string& sql);
// Every row left in `rows`.
ResultSet readResult(data::Recordset& rows);

// Zero-based positions of the columns the statement's ORDER BY sorts on, most significant
// first; empty when the statement has no ORDER BY.
using OrderColumns = std::vector<int>;

// A readable account of the first difference, or nullopt when the two results agree.
std::optional<std::string> firstDifference(const ResultSet& program, const ResultSet& reference,
                                           const OrderColumns& order);

std::string shownRow(const Row& row);
// The text with control bytes (NUL, CR, LF, ...) written as \xNN, so a message stays on its lines.
std::string printable(const std::string& text);

}  // namespace tally::testing::equivalence
