#include "ResultComparison.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tally::testing::equivalence {
namespace {

std::string numberText(double value) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("?");
}

bool rowBefore(const Row& a, const Row& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), cellBefore);
}

bool sameRow(const Row& a, const Row& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameCell);
}

Row keyOf(const Row& row, const OrderColumns& order) {
    Row key;
    for (int column : order) key.push_back(column < static_cast<int>(row.size()) ? row[column] : Cell{});
    return key;
}

std::string columnList(const std::vector<std::string>& columns) {
    std::string list;
    for (const auto& c : columns) list += (list.empty() ? "" : ", ") + c;
    return list;
}

std::string rowLine(const char* side, const std::vector<Row>& rows, std::size_t at) {
    return std::string("  ") + side +
           (at < rows.size() ? " row " + std::to_string(at) + ": " + shownRow(rows[at])
                             : ": no row " + std::to_string(at));
}

std::string counts(const ResultSet& program, const ResultSet& reference) {
    return " (program " + std::to_string(program.rows.size()) + " rows, reference " +
           std::to_string(reference.rows.size()) + " rows)";
}

// Sorts both ranges and names the first pair that differs.
std::optional<std::string> multisetDifference(std::vector<Row> program, std::vector<Row> reference,
                                              const std::string& where) {
    std::sort(program.begin(), program.end(), rowBefore);
    std::sort(reference.begin(), reference.end(), rowBefore);
    const std::size_t n = std::max(program.size(), reference.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (i < program.size() && i < reference.size() && sameRow(program[i], reference[i])) continue;
        return "rows differ " + where + ", first in sorted order:\n" + rowLine("program  ", program, i) + "\n" +
               rowLine("reference", reference, i);
    }
    return std::nullopt;
}

}  // namespace

Cell Cell::ofNumber(double value) {
    Cell c;
    c.kind = Kind::Number;
    c.number = value;
    return c;
}

Cell Cell::ofText(std::string value) {
    Cell c;
    c.kind = Kind::Text;
    c.text = std::move(value);
    return c;
}

double Cell::rounded() const { return std::round(number * 1e4) / 1e4; }

std::string Cell::shown() const {
    switch (kind) {
    case Kind::Null: return "Null";
    case Kind::Number: return numberText(number);
    case Kind::Text: break;
    }
    return "'" + printable(text) + "'";
}

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool sameCell(const Cell& a, const Cell& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case Cell::Kind::Null: return true;
    case Cell::Kind::Text: return a.text == b.text;
    case Cell::Kind::Number: break;
    }
    if (a.rounded() == b.rounded()) return true;
    // Two sums a rounding step apart only because they straddle a half of the 4th decimal.
    const double scale = std::max({1.0, std::fabs(a.number), std::fabs(b.number)});
    return std::fabs(a.number - b.number) <= 1e-9 * scale;
}

bool cellBefore(const Cell& a, const Cell& b) {
    if (a.kind != b.kind) return a.kind < b.kind;
    switch (a.kind) {
    case Cell::Kind::Null: return false;
    case Cell::Kind::Number: return a.rounded() < b.rounded();
    case Cell::Kind::Text: return a.text < b.text;
    }
    return false;
}

std::string shownRow(const Row& row) {
    std::string out = "[";
    for (std::size_t i = 0; i < row.size(); ++i) out += (i ? ", " : "") + row[i].shown();
    return out + "]";
}

ResultSet readResult(data::Connection& connection, const std::string& sql) {
    return readResult(*connection.open(sql, data::Connection::kNoTimeout));
}

ResultSet readResult(data::Recordset& rs) {
    ResultSet result;
    for (int i = 0; i < rs.fieldCount(); ++i) result.columns.push_back(rs.fieldName(i));
    for (; !rs.eof(); rs.moveNext()) {
        Row row;
        for (int i = 0; i < rs.fieldCount(); ++i) {
            const data::Value& v = rs.field(i);
            row.push_back(v.isNull() ? Cell{} : v.isText() ? Cell::ofText(v.text()) : Cell::ofNumber(v.number()));
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

std::optional<std::string> firstDifference(const ResultSet& program, const ResultSet& reference,
                                           const OrderColumns& order) {
    if (program.columns.size() != reference.columns.size())
        return "column count differs: program " + std::to_string(program.columns.size()) + " (" +
               columnList(program.columns) + "), reference " + std::to_string(reference.columns.size()) + " (" +
               columnList(reference.columns) + ")";
    if (order.empty()) {
        return multisetDifference(program.rows, reference.rows,
                                  "(no ORDER BY: compared as multisets)" + counts(program, reference));
    }
    // The sort keys row by row, then each run of equal keys as a multiset.
    const std::size_t n = std::max(program.rows.size(), reference.rows.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (i < program.rows.size() && i < reference.rows.size() &&
            sameRow(keyOf(program.rows[i], order), keyOf(reference.rows[i], order)))
            continue;
        return "ORDER BY keys differ at row " + std::to_string(i) + counts(program, reference) + ":\n" +
               rowLine("program  ", program.rows, i) + "\n" + rowLine("reference", reference.rows, i);
    }
    for (std::size_t begin = 0; begin < program.rows.size();) {
        const Row key = keyOf(program.rows[begin], order);
        std::size_t end = begin + 1;
        while (end < program.rows.size() && sameRow(keyOf(program.rows[end], order), key)) ++end;
        auto difference = multisetDifference({program.rows.begin() + begin, program.rows.begin() + end},
                                             {reference.rows.begin() + begin, reference.rows.begin() + end},
                                             "among rows " + std::to_string(begin) + " to " + std::to_string(end - 1) +
                                                 " (equal ORDER BY keys " + shownRow(key) + ")");
        if (difference) return difference;
        begin = end;
    }
    return std::nullopt;
}

}  // namespace tally::testing::equivalence
