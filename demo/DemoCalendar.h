#pragma once
// Calendar arithmetic for the demo data: moments are whole seconds since 1970-01-01 00:00:00
// (no time zone), written the way the fee database stores date-times.
#include <cstdint>
#include <string>

namespace tally::demo {

struct CivilDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(CivilDate date);
CivilDate civilFromDays(std::int64_t days);

constexpr std::int64_t kSecondsPerDay = 86400;

inline std::int64_t momentOf(CivilDate date, int hour = 0, int minute = 0, int second = 0) {
    return daysFromCivil(date) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

inline std::int64_t dayOf(std::int64_t moment) {
    return moment >= 0 ? moment / kSecondsPerDay : -((-moment + kSecondsPerDay - 1) / kSecondsPerDay);
}

// 0 = Sunday … 6 = Saturday.
int weekdayOfDay(std::int64_t days);

// Year * 12 + month - 1: consecutive months differ by one.
int monthIndexOf(std::int64_t moment);

// The first second of the month after the moment's month.
std::int64_t startOfNextMonth(std::int64_t moment);

// "YYYY-MM-DD HH:MM:SS" into `out`, which must hold 20 chars (the text and its terminating zero);
// years 0..9999.
void formatMoment(std::int64_t moment, char* out);
std::string momentText(std::int64_t moment);

}  // namespace tally::demo
