#include "Selections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace tally::testing::equivalence {
namespace {

// A department no invoice belongs to: every statement must find nothing alike.
const reports::DepartmentEntry kDepartmentWithoutInvoices{"EQ-none", "EQ-none", "无票据部门"};

// How many of the database's departments each database is asked about.
constexpr std::size_t kDepartmentsPerDatabase = 2;
constexpr int kPeriodsPerDepartment = 2;

int pick(Random& random, int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); }

int daysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::string dayKey(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
    return text;
}

std::string twoDigits(int month) { return (month < 10 ? "0" : "") + std::to_string(month); }

struct YearMonth {
    int year, month;
};

YearMonth someMonth(Random& random, const Corpus& corpus) {
    if (const int busy = corpus.busyMonth; busy && random() % 4) return {corpus.firstYear, busy};
    return {pick(random, corpus.firstYear, corpus.lastYear), pick(random, 1, 12)};
}

DetailSelection somePeriod(Random& random, const Corpus& corpus, const reports::DepartmentEntry& department) {
    DetailSelection s{department, "", "", ""};
    const YearMonth m = someMonth(random, corpus);
    switch (random() % 6) {
    case 0: {
        const int day = corpus.busyMonth == m.month ? pick(random, 5, 12) : pick(random, 1, daysIn(m.year, m.month));
        s.fromKey = s.toKey = dayKey(m.year, m.month, day);
        s.periodKind = "a day";
        break;
    }
    case 1:
        s.fromKey = dayKey(m.year, m.month, 1);
        s.toKey = dayKey(m.year, m.month, daysIn(m.year, m.month));
        s.periodKind = "a month";
        break;
    case 2: {
        const int first = (m.month - 1) / 3 * 3 + 1;
        s.fromKey = dayKey(m.year, first, 1);
        s.toKey = dayKey(m.year, first + 2, daysIn(m.year, first + 2));
        s.periodKind = "a quarter";
        break;
    }
    case 3:
        s.fromKey = dayKey(m.year, 1, 1);
        s.toKey = dayKey(m.year, 12, 31);
        s.periodKind = "a year";
        break;
    case 4: {
        // From the last quarter of one year into the first of the next; the first year may
        // be the one before the data, so invoices collected late meet their issue year.
        const int year = pick(random, corpus.firstYear - 1, corpus.lastYear);
        const int fromMonth = pick(random, 10, 12), toMonth = pick(random, 1, 3);
        s.fromKey = dayKey(year, fromMonth, pick(random, 1, daysIn(year, fromMonth)));
        s.toKey = dayKey(year + 1, toMonth, pick(random, 1, daysIn(year + 1, toMonth)));
        s.periodKind = "across a year end";
        break;
    }
    default: {
        const int year = random() % 2 ? corpus.firstYear - pick(random, 2, 5) : corpus.lastYear + pick(random, 1, 3);
        s.fromKey = dayKey(year, 1, 1);
        s.toKey = dayKey(year, pick(random, 1, 12), 28);
        s.periodKind = "nothing in it";
        break;
    }
    }
    return s;
}

// The database's departments with their offices, closed ones too, in random order.
std::vector<reports::DepartmentEntry> shuffledDepartments(data::Connection& connection, Random& random) {
    auto listed = reports::LoadEveryDepartment(connection);
    EXPECT_FALSE(listed.error) << "the department list did not load: "
                               << (listed.error ? listed.error->description : "");
    std::vector<reports::DepartmentEntry> entries;
    for (const auto& entry : listed.entries) entries.push_back(entry.entry);
    std::shuffle(entries.begin(), entries.end(), random);
    return entries;
}

// Two of the database's departments on a file spread over years, every one on a small busy one.
std::vector<reports::DepartmentEntry> someDepartments(data::Connection& connection, Random& random,
                                                      const Corpus& corpus) {
    std::vector<reports::DepartmentEntry> entries = shuffledDepartments(connection, random);
    if (!corpus.busyMonth && entries.size() > kDepartmentsPerDatabase) entries.resize(kDepartmentsPerDatabase);
    return entries;
}

}  // namespace

std::string DetailSelection::shown() const {
    return "department '" + department.departmentCode + "', " + fromKey + " to " + toKey + " (" + periodKind + ")";
}

std::vector<DetailSelection> detailSelections(data::Connection& connection, Random& random, const Corpus& corpus) {
    std::vector<DetailSelection> selections;
    for (const auto& department : someDepartments(connection, random, corpus))
        for (int i = 0; i < kPeriodsPerDepartment; ++i) selections.push_back(somePeriod(random, corpus, department));
    selections.push_back(somePeriod(random, corpus, kDepartmentWithoutInvoices));
    return selections;
}

std::vector<reports::reconciliation::ReconciliationSelection> reconciliationSelections(data::Connection& connection,
                                                                                       Random& random,
                                                                                       const Corpus& corpus) {
    std::vector<reports::DepartmentEntry> departments = someDepartments(connection, random, corpus);
    departments.push_back(kDepartmentWithoutInvoices);
    std::vector<reports::reconciliation::ReconciliationSelection> selections;
    for (const auto& department : departments) {
        const YearMonth m = someMonth(random, corpus);
        int first = m.month, last = m.month, year = m.year;
        switch (random() % 5) {
        case 0: break;  // one month
        case 1:
            first = (m.month - 1) / 3 * 3 + 1;
            last = first + 2;
            break;
        case 2:
            first = 1;
            last = 12;
            break;
        case 3:
            first = pick(random, 1, m.month);
            last = pick(random, m.month, 12);
            break;
        default: year = random() % 2 ? corpus.firstYear - 1 : corpus.lastYear + 1; break;
        }
        selections.push_back({std::to_string(year), twoDigits(first), twoDigits(last), department});
    }
    return selections;
}

std::string shown(const reports::reconciliation::ReconciliationSelection& s) {
    return "department '" + s.department.departmentCode + "' office '" + s.department.officeCode + "', " + s.year +
           " months " + s.startMonth + " to " + s.endMonth;
}

reports::SplitRatioRows randomSplits(const reports::FeeItemList& items, Random& random) {
    reports::SplitRatioRows rows = reports::defaultSplitRows(items);
    for (auto& row : rows) {
        const int percent = pick(random, 0, 100);
        switch (random() % 6) {
        case 0: break;  // left at 70/30
        case 1:
            row.propertyText = std::to_string(percent);
            row.developerText = std::to_string(100 - percent);
            break;
        case 2:
            row.propertyText = std::to_string(percent) + "%";
            row.developerText = std::to_string(100 - percent) + "%";
            break;
        case 3:
            if (percent == 100) break;
            row.propertyText = std::to_string(percent) + ".5";
            row.developerText = std::to_string(99 - percent) + ".5";
            break;
        case 4:
            row.propertyText = "0";
            row.developerText = "100";
            break;
        default:
            row.propertyText = "100";
            row.developerText = "0";
            break;
        }
        EXPECT_TRUE(reports::splitAddsUpTo100(row.developerText, row.propertyText))
            << row.developerText << " + " << row.propertyText;
    }
    return rows;
}

std::string shownItems(const reports::FeeItemList& items, const std::vector<std::string>& ratios) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? ", " : "") + items[i].code + " " + items[i].cleanedName;
        if (i < ratios.size() && !ratios[i].empty()) out += " x" + ratios[i];
    }
    return out;
}

}  // namespace tally::testing::equivalence
