#include "Value.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tally::data {
namespace {

// Dates are turned into keys for every row of a report: digits by hand, snprintf only for
// what a date never holds.
std::string paddedDigits(int v, int width) {
    if (v < 0 || v >= (width == 2 ? 100 : 10000)) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%0*d", width, v);
        return buf;
    }
    std::string digits(width, '0');
    for (int i = width - 1; i >= 0 && v > 0; --i, v /= 10) digits[i] = static_cast<char>('0' + v % 10);
    return digits;
}

std::string twoDigits(int v) { return paddedDigits(v, 2); }

// Keys compare as text: year 541 must be "0541", or its keys would sort after 2024's.
std::string fourDigits(int v) { return paddedDigits(v, 4); }

// Digits only: from_chars would also take a sign ("-001-01-01").
bool readInt(std::string_view s, std::size_t pos, std::size_t len, int& out) {
    if (pos + len > s.size() || s[pos] < '0' || s[pos] > '9') return false;
    auto r = std::from_chars(s.data() + pos, s.data() + pos + len, out);
    return r.ec == std::errc() && r.ptr == s.data() + pos + len;
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Whether a number from_chars found out of range is too large rather than too small: the
// power of its first significant digit plus its exponent (base 16 and 2 for hex). `number`
// is what from_chars read, without the sign or the "0x".
bool overflows(std::string_view number, bool hex) {
    long long power = 0;
    bool point = false, significant = false;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            point = true;
            continue;
        }
        if (hex ? !isHexDigit(c) : (c < '0' || c > '9')) break;
        significant = significant || c != '0';
        if (!point && significant) ++power;
        if (point && !significant) --power;
    }
    if (i < number.size()) {  // the exponent, when it is out of long long's range its sign is enough
        std::string_view exponent = number.substr(i + 1);
        const bool negative = !exponent.empty() && exponent.front() == '-';
        if (!exponent.empty() && (exponent.front() == '+' || negative)) exponent.remove_prefix(1);
        long long e = 0;
        if (std::from_chars(exponent.data(), exponent.data() + exponent.size(), e).ec != std::errc()) return !negative;
        return (hex ? power * 4 : power) + (negative ? -e : e) > 0;
    }
    return power > 0;
}

// Reads a number as strtod does in the "C" locale, whatever the process's locale: leading
// white space, a sign, decimal or 0x hex digits, inf and nan; the rest of the text is ignored,
// no number reads as 0, and a magnitude beyond a double's range becomes infinity or 0.
double leadingDouble(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || (s.front() >= '\t' && s.front() <= '\r'))) s.remove_prefix(1);
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '+' || negative)) s.remove_prefix(1);
    auto format = std::chars_format::general;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        // strtod reads just the "0" unless hex digits follow; from_chars would take "inf" or a sign
        const bool digits = isHexDigit(s[2]) || (s[2] == '.' && s.size() > 3 && isHexDigit(s[3]));
        if (!digits) return negative ? -0.0 : 0.0;
        format = std::chars_format::hex;
        s.remove_prefix(2);
    }
    if (!s.empty() && s.front() == '-') return 0;  // from_chars takes a sign here, strtod no second one
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, format);
    if (ec == std::errc::invalid_argument) return 0;
    if (ec == std::errc::result_out_of_range)
        value = overflows(s.substr(0, std::size_t(end - s.data())), format == std::chars_format::hex) ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

}  // namespace

std::string DateTime::dayKey() const { return fourDigits(year) + twoDigits(month) + twoDigits(day); }
std::string DateTime::monthKey() const { return fourDigits(year) + twoDigits(month); }
std::string DateTime::isoDate() const { return fourDigits(year) + "-" + twoDigits(month) + "-" + twoDigits(day); }
std::string DateTime::isoText() const {
    return isoDate() + " " + twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

std::optional<DateTime> parseDateTime(std::string_view s) {
    DateTime d;
    if (s.size() < 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
    if (!readInt(s, 0, 4, d.year) || !readInt(s, 5, 2, d.month) || !readInt(s, 8, 2, d.day)) return std::nullopt;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return std::nullopt;
    if (s.size() == 10) return d;
    if ((s[10] != ' ' && s[10] != 'T') || s.size() < 16 || s[13] != ':') return std::nullopt;
    if (!readInt(s, 11, 2, d.hour) || !readInt(s, 14, 2, d.minute)) return std::nullopt;
    if (s.size() >= 19 && s[16] == ':' && !readInt(s, 17, 2, d.second)) return std::nullopt;
    return d;
}

std::string Value::text() const {
    if (auto i = std::get_if<std::int64_t>(&v_)) return std::to_string(*i);
    if (auto d = std::get_if<double>(&v_)) {
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, *d);  // shortest round-trip form
        return std::string(buf, r.ptr);
    }
    if (auto s = std::get_if<std::string>(&v_)) return *s;
    return {};
}

double Value::number() const {
    if (auto i = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*i);
    if (auto d = std::get_if<double>(&v_)) return *d;
    if (auto s = std::get_if<std::string>(&v_)) return leadingDouble(*s);
    return 0;
}

std::optional<DateTime> Value::date() const {
    if (auto s = std::get_if<std::string>(&v_)) return parseDateTime(*s);
    return std::nullopt;
}

}  // namespace tally::data
