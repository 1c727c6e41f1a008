#include "PeriodRanges.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>

namespace tally::reports {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

std::optional<int> digits(const std::string& text, std::size_t from, std::size_t count) {
    if (text.size() < from + count) return std::nullopt;
    int value = 0;
    const char* first = text.data() + from;
    auto [end, error] = std::from_chars(first, first + count, value);
    if (error != std::errc() || end != first + count) return std::nullopt;
    return value;
}

std::optional<year_month_day> dayOf(const std::string& dayKey) {
    if (dayKey.size() != 8) return std::nullopt;
    auto y = digits(dayKey, 0, 4), m = digits(dayKey, 4, 2), d = digits(dayKey, 6, 2);
    if (!y || !m || !d) return std::nullopt;
    year_month_day day{std::chrono::year(*y), std::chrono::month(unsigned(*m)), std::chrono::day(unsigned(*d))};
    if (!day.ok()) return std::nullopt;
    return day;
}

std::optional<year_month_day> firstDayOf(const std::string& monthKey) {
    if (monthKey.size() != 6) return std::nullopt;
    return dayOf(monthKey + "01");
}

std::string literal(const year_month_day& day) {
    return dateLiteral(int(day.year()), unsigned(day.month()), unsigned(day.day()));
}

// SQL Server's datetime runs from 1753 to 9999; outside it the key test alone decides.
bool serverCanHold(const year_month_day& day) { return int(day.year()) >= 1753 && int(day.year()) <= 9999; }

std::string range(const std::string& column, const year_month_day& from, const year_month_day& toExclusive) {
    if (!serverCanHold(from) || !serverCanHold(toExclusive)) return "";
    return " And " + column + " >= " + literal(from) + " And " + column + " < " + literal(toExclusive);
}

}  // namespace

std::string dateLiteral(int year, unsigned month, unsigned day) {
    char text[40];
    std::snprintf(text, sizeof text, "CONVERT(datetime,'%04d-%02u-%02u',120)", year, month, day);
    return text;
}

std::string dayRange(const std::string& column, const std::string& fromDayKey, const std::string& toDayKey) {
    auto from = dayOf(fromDayKey), to = dayOf(toDayKey);
    if (!from || !to) return "";
    return range(column, *from, year_month_day{sys_days(*to) + days(1)});
}

std::string monthRange(const std::string& column, const std::string& fromMonthKey, const std::string& toMonthKey) {
    auto from = firstDayOf(fromMonthKey), to = firstDayOf(toMonthKey);
    if (!from || !to) return "";
    return range(column, year_month_day{sys_days(*from) - days(1)},
                 year_month_day{to->year() / to->month() / 1} + std::chrono::months(1));
}

}  // namespace tally::reports
