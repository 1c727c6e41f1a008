#pragma once
// Date ranges an index on (department, date) can seek, for the periods the reports select.
//
// The statements test their period through day keys (CONVERT(char(8), d, 112)) and month
// keys (CONVERT(char(6), d, 112)); no index can seek those, so a statement with nothing
// else walks the department's whole history. Each range here holds every value whose key
// passes the key test, also on the embedded engine where dates are texts
// ('2026-03-05 10:20:30'): the statements test the range AND keep the key test, so the
// range only narrows what is read, never what is found. A key that is not a date gives
// no range (the key test alone then decides, as before).
#include <string>

namespace tally::reports {

// "CONVERT(datetime,'2026-03-01',120)": a date the server reads the same whatever its
// language and date format settings.
std::string dateLiteral(int year, unsigned month, unsigned day);

// " And <column> >= <first day> And <column> < <day after the last>" for day keys
// "yyyymmdd"; "" when either key is not a date.
std::string dayRange(const std::string& column, const std::string& fromDayKey, const std::string& toDayKey);

// The same for month keys "yyyymm". It starts at the day before the first month: a text
// date such as '2026-03-00' has month key 202603 but sorts before '2026-03-01'.
std::string monthRange(const std::string& column, const std::string& fromMonthKey, const std::string& toMonthKey);

}  // namespace tally::reports
