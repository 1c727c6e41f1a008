#include "DemoCalendar.h"

namespace tally::demo {

// Howard Hinnant's days_from_civil / civil_from_days: exact for every Gregorian date.
std::int64_t daysFromCivil(CivilDate date) {
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (date.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(std::int64_t days) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

int weekdayOfDay(std::int64_t days) {
    // 1970-01-01 was a Thursday.
    const std::int64_t w = (days + 4) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

int monthIndexOf(std::int64_t moment) {
    const CivilDate d = civilFromDays(dayOf(moment));
    return d.year * 12 + d.month - 1;
}

std::int64_t startOfNextMonth(std::int64_t moment) {
    const CivilDate d = civilFromDays(dayOf(moment));
    return d.month == 12 ? momentOf({d.year + 1, 1, 1}) : momentOf({d.year, d.month + 1, 1});
}

namespace {

void putDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

}  // namespace

void formatMoment(std::int64_t moment, char* out) {
    const std::int64_t days = dayOf(moment);
    const CivilDate d = civilFromDays(days);
    const auto secondOfDay = static_cast<int>(moment - days * kSecondsPerDay);
    putDigits(out, d.year, 4);
    out[4] = '-';
    putDigits(out + 5, d.month, 2);
    out[7] = '-';
    putDigits(out + 8, d.day, 2);
    out[10] = ' ';
    putDigits(out + 11, secondOfDay / 3600, 2);
    out[13] = ':';
    putDigits(out + 14, secondOfDay / 60 % 60, 2);
    out[16] = ':';
    putDigits(out + 17, secondOfDay % 60, 2);
    out[19] = '\0';
}

std::string momentText(std::int64_t moment) {
    char buffer[20];
    formatMoment(moment, buffer);
    return buffer;
}

}  // namespace tally::demo
