#pragma once
// What the reconciliation window's three period boxes offer.
#include <QStringList>

namespace tally::reportui {

inline constexpr int kFirstOfferedYear = 2016;
inline constexpr int kLastOfferedYear = 2049;

// "2016" to "2049", ascending. A current year outside that range is offered too,
// in its place in the order, so the box can always start at the current year.
QStringList reconciliationYearEntries(int currentYear);

// "01" to "12".
QStringList monthEntries();

// A month as the month boxes show it: two digits.
QString monthEntry(int month);

}  // namespace tally::reportui
