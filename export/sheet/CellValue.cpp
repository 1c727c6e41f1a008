#include "CellValue.h"

#include <cctype>
#include <charconv>

namespace tally::sheet {

namespace {

bool readDigits(std::string_view text, std::size_t from, std::size_t count, int& out) {
    if (from + count > text.size()) return false;
    out = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Only plain decimal notation: strtod would also take "inf", "nan" and hex.
bool isPlainNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<SheetDate> parseSheetDate(std::string_view text) {
    SheetDate d;
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    if (!readDigits(text, 0, 4, d.year) || !readDigits(text, 5, 2, d.month) || !readDigits(text, 8, 2, d.day))
        return std::nullopt;
    if (text.size() > 10 && text[10] != ' ' && text[10] != 'T') return std::nullopt;
    // Sheet dates count from 1900; earlier ones cannot be stored as dates.
    if (d.year < 1900 || d.month < 1 || d.month > 12) return std::nullopt;
    if (d.day < 1 || d.day > daysInMonth(d.year, d.month)) return std::nullopt;
    return d;
}

CellValue enteredValue(std::string_view typed) {
    if (!typed.empty() && typed.front() == '\'') return std::string(typed.substr(1));
    const std::string_view number = trimmed(typed);
    if (number.empty()) return typed.empty() ? CellValue{} : CellValue{std::string(typed)};
    if (isPlainNumber(number)) {
        std::string_view digits = number.front() == '+' ? number.substr(1) : number;
        double value = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (ec == std::errc() && end == digits.data() + digits.size()) return value;
    }
    return std::string(typed);
}

}  // namespace tally::sheet
