#include "Value.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace tally::data {
namespace {

std::string twoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

// Keys compare as text: year 541 must be "0541", or its keys would sort after 2024's.
std::string fourDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", v);
    return buf;
}

// Digits only: from_chars would also take a sign ("-001-01-01").
bool readInt(std::string_view s, std::size_t pos, std::size_t len, int& out) {
    if (pos + len > s.size() || s[pos] < '0' || s[pos] > '9') return false;
    auto r = std::from_chars(s.data() + pos, s.data() + pos + len, out);
    return r.ec == std::errc() && r.ptr == s.data() + pos + len;
}

}  // namespace

std::string DateTime::dayKey() const { return fourDigits(year) + twoDigits(month) + twoDigits(day); }
std::string DateTime::monthKey() const { return fourDigits(year) + twoDigits(month); }
std::string DateTime::isoDate() const {
    return fourDigits(year) + "-" + twoDigits(month) + "-" + twoDigits(day);
}
std::string DateTime::isoText() const {
    return isoDate() + " " + twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

std::optional<DateTime> parseDateTime(std::string_view s) {
    DateTime d;
    if (s.size() < 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
    if (!readInt(s, 0, 4, d.year) || !readInt(s, 5, 2, d.month) || !readInt(s, 8, 2, d.day))
        return std::nullopt;
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
    if (auto s = std::get_if<std::string>(&v_)) return std::strtod(s->c_str(), nullptr);
    return 0;
}

std::optional<DateTime> Value::date() const {
    if (auto s = std::get_if<std::string>(&v_)) return parseDateTime(*s);
    return std::nullopt;
}

}  // namespace tally::data
