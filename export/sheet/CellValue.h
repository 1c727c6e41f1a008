#pragma once
// What a cell holds, and the two ways text becomes a cell value.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tally::sheet {

struct SheetDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const SheetDate&) const = default;
};

// Blank, text, number or date.
using CellValue = std::variant<std::monostate, std::string, double, SheetDate>;

// "yyyy-mm-dd", optionally followed by a blank or "T" and a time of day (dropped).
// Empty when the text is no valid calendar date from 1900 on.
std::optional<SheetDate> parseSheetDate(std::string_view text);

// A text as if typed into the cell: a leading "'" keeps the rest as text, a plain
// decimal number ("12", "-0.50", "1e3") becomes a number, empty text a blank cell,
// anything else stays text.
CellValue enteredValue(std::string_view typed);

}  // namespace tally::sheet
