#include "ReconciliationPeriod.h"

namespace tally::reportui {
namespace {

QString yearText(int year) { return QString("%1").arg(year, 4, 10, QChar('0')); }

}  // namespace

QStringList reconciliationYearEntries(int currentYear) {
    QStringList years;
    if (currentYear < kFirstOfferedYear) years << yearText(currentYear);
    for (int year = kFirstOfferedYear; year <= kLastOfferedYear; ++year) years << yearText(year);
    if (currentYear > kLastOfferedYear) years << yearText(currentYear);
    return years;
}

QStringList monthEntries() {
    QStringList months;
    for (int month = 1; month <= 12; ++month) months << monthEntry(month);
    return months;
}

QString monthEntry(int month) { return QString("%1").arg(month, 2, 10, QChar('0')); }

}  // namespace tally::reportui
