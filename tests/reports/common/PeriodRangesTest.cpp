// The ranges only narrow what a statement reads: every stored value whose day or month key
// passes the key test must also lie in the range. Both tests run as statement texts on the
// embedded engine, through its rewriting and its convert function, over valid dates and
// over the odd texts the key function still accepts.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "PeriodRanges.h"
#include "TestDatabase.h"

using namespace tally::reports;
using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

namespace {

year_month_day ymd(int y, unsigned m, unsigned d) {
    return year_month_day{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

std::string isoDate(const year_month_day& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(day.year()), unsigned(day.month()), unsigned(day.day()));
    return text;
}

std::string dayKey(const year_month_day& day) {
    std::string iso = isoDate(day);
    return iso.substr(0, 4) + iso.substr(5, 2) + iso.substr(8, 2);
}

std::string monthKey(const year_month_day& day) { return dayKey(day).substr(0, 6); }

std::vector<std::string> column(tally::data::Connection& connection, const std::string& sql) {
    std::vector<std::string> values;
    for (auto rs = connection.open(sql); !rs->eof(); rs->moveNext()) values.push_back(rs->field(0).text());
    return values;
}

// Stored date texts from December 2023 to January 2027: every day, some with a time, and
// per month the texts that are no date but still have a key.
class StoredDates : public ::testing::Test {
protected:
    static constexpr unsigned kSeed = 20260301;

    void SetUp() override {
        std::mt19937 random(kSeed);
        const char* const times[] = {"", " 00:00:00", " 12:34:56", " 23:59:59", " 23:59:59.997", "T23:59", " 00:00"};
        std::string rows;
        auto add = [&rows](const std::string& value, const char* kind) {
            rows += std::string(rows.empty() ? "" : ",") + "('" + value + "','" + kind + "')";
        };
        for (sys_days d = sys_days(ymd(2023, 12, 1)); d <= sys_days(ymd(2027, 1, 31)); d += days(1)) {
            const std::string iso = isoDate(year_month_day(d));
            add(iso, "date");
            add(iso + times[random() % std::size(times)], "date");
        }
        for (int y = 2023; y <= 2027; ++y) {
            for (unsigned m = 1; m <= 12; ++m) {
                char prefix[16];
                std::snprintf(prefix, sizeof prefix, "%04d-%02u-", y, m);
                for (const char* day : {"00", "3x", "32", "99", "0!", "00 12:00:00"})
                    add(prefix + std::string(day), "junk");
                const year_month_day last =
                    year_month_day(std::chrono::year(y) / std::chrono::month(m) / std::chrono::last);
                add(isoDate(last) + " 23:59:59.997", "date");
                add(isoDate(last) + "T23:59", "date");
            }
            const std::string year = std::to_string(y);
            add(year + "-13-01", "junk");
            add(year + "-00-15", "junk");
            add(year + "-12-31 23:59:59.997", "date");
        }
        add("2024-02-29 08:00:00", "date");
        add("2028-02-29", "date");
        db.exec("CREATE TABLE 日期 (v TEXT, kind TEXT); INSERT INTO 日期 VALUES " + rows + ";");
        connection = db.connect();
    }

    // Values whose key passes but that lie outside the range.
    std::vector<std::string> missed(const std::string& keyTest, const std::string& range) {
        return column(*connection, "Select v From 日期 Where " + keyTest + " And Not (1=1" + range + ")");
    }

    // Valid dates in the range whose key does not pass.
    std::vector<std::string> extra(const std::string& keyTest, const std::string& range) {
        return column(*connection, "Select v From 日期 Where kind='date'" + range + " And Not (" + keyTest + ")");
    }

    std::size_t count(const std::string& keyTest) {
        return std::stoul(column(*connection, "Select count(*) From 日期 Where " + keyTest).at(0));
    }

    tally::testing::TestDatabase db;
    std::unique_ptr<tally::data::Connection> connection;
};

}  // namespace

TEST_F(StoredDates, EveryValueOfADayPeriodLiesInItsRange) {
    std::mt19937 random(kSeed);
    std::vector<std::pair<year_month_day, year_month_day>> periods{
        {ymd(2024, 12, 31), ymd(2025, 1, 1)}, {ymd(2024, 2, 29), ymd(2024, 2, 29)}, {ymd(2024, 2, 28), ymd(2024, 3, 1)},
        {ymd(2025, 2, 28), ymd(2025, 2, 28)}, {ymd(2026, 3, 31), ymd(2026, 3, 31)}, {ymd(2026, 3, 1), ymd(2026, 3, 31)},
        {ymd(2026, 2, 28), ymd(2026, 3, 1)},  {ymd(2026, 3, 31), ymd(2026, 4, 1)}};
    const sys_days first = sys_days(ymd(2023, 11, 15));
    for (int i = 0; i < 150; ++i) {
        const sys_days from = first + days(random() % 1200);
        const int length = random() % 4 == 0 ? random() % 400 : random() % 40;
        periods.emplace_back(year_month_day(from), year_month_day(from + days(length)));
    }
    std::size_t found = 0;
    for (const auto& [from, to] : periods) {
        const std::string f = dayKey(from), t = dayKey(to);
        SCOPED_TRACE(f + ".." + t);
        const std::string range = dayRange("v", f, t);
        ASSERT_FALSE(range.empty());
        const std::string keyTest = "CONVERT(char(8),v,112) Between '" + f + "' And '" + t + "'";
        EXPECT_EQ(missed(keyTest, range), std::vector<std::string>{});
        // for valid dates the range says what the key says
        EXPECT_EQ(extra(keyTest, range), std::vector<std::string>{});
        found += count(keyTest);
    }
    // the periods do find values, junk among them
    EXPECT_GT(found, 10000u);
    EXPECT_GE(count("CONVERT(char(8),v,112) Between '20260228' And '20260401' And kind='junk'"), 5u);
}

TEST_F(StoredDates, EveryValueOfAMonthPeriodLiesInItsRange) {
    std::mt19937 random(kSeed + 1);
    std::vector<std::pair<year_month_day, year_month_day>> periods{
        {ymd(2024, 12, 1), ymd(2024, 12, 1)}, {ymd(2025, 1, 1), ymd(2025, 1, 1)}, {ymd(2024, 12, 1), ymd(2025, 1, 1)},
        {ymd(2024, 3, 1), ymd(2024, 3, 1)},   {ymd(2024, 2, 1), ymd(2024, 2, 1)}, {ymd(2023, 12, 1), ymd(2027, 1, 1)}};
    for (int i = 0; i < 150; ++i) {
        const auto from = std::chrono::year(2023) / std::chrono::month(11) / 1 + std::chrono::months(random() % 40);
        const auto to = from + std::chrono::months(random() % 4 == 0 ? random() % 20 : random() % 3);
        periods.emplace_back(year_month_day(from), year_month_day(to));
    }
    std::size_t found = 0;
    for (const auto& [from, to] : periods) {
        const std::string f = monthKey(from), t = monthKey(to);
        SCOPED_TRACE(f + ".." + t);
        const std::string range = monthRange("v", f, t);
        ASSERT_FALSE(range.empty());
        const std::string keyTest = "CONVERT(char(6),v,112) Between '" + f + "' And '" + t + "'";
        EXPECT_EQ(missed(keyTest, range), std::vector<std::string>{});
        // valid dates outside the months but in the range: only the day before the first month
        const std::string dayBefore = isoDate(year_month_day(sys_days(from) - days(1)));
        for (const auto& value : extra(keyTest, range)) EXPECT_EQ(value.substr(0, 10), dayBefore) << value;
        found += count(keyTest);
    }
    EXPECT_GT(found, 10000u);
    EXPECT_GE(count("CONVERT(char(6),v,112) = '202603' And kind='junk'"), 6u);
}

TEST(PeriodRanges, TheServerSeesADateItReadsTheSameInEveryLanguage) {
    EXPECT_EQ(dayRange("票据.开票日期", "20260301", "20260331"),
              " And 票据.开票日期 >= CONVERT(datetime,'2026-03-01',120) And 票据.开票日期 < "
              "CONVERT(datetime,'2026-04-01',120)");
}

TEST(PeriodRanges, AKeyThatIsNoDateGivesNoRange) {
    for (const char* key : {"", "2026031", "202603011", "2026ab01", "2026-3-1", " 2026031", "20260230", "20250229",
                            "21000229", "20261301", "20260001", "20260100", "20260132", "17000101", "17520101"}) {
        EXPECT_EQ(dayRange("c", key, "20260331"), "") << key;
        EXPECT_EQ(dayRange("c", "20260301", key), "") << key;
    }
    for (const char* key : {"", "20263", "2026031", "2026ab", "2026-3", "202613", "202600", "170001", "175201"}) {
        EXPECT_EQ(monthRange("c", key, "202603"), "") << key;
        EXPECT_EQ(monthRange("c", "202603", key), "") << key;
    }
}

TEST(PeriodRanges, EveryEndIsADateTheServerCanHold) {
    const std::regex year("CONVERT\\(datetime,'(\\d{4})-\\d\\d-\\d\\d',120\\)");
    auto years = [&year](const std::string& range) {
        std::vector<int> found;
        for (std::sregex_iterator it(range.begin(), range.end(), year), end; it != end; ++it)
            found.push_back(std::stoi((*it)[1]));
        return found;
    };
    for (const std::string& range : {dayRange("c", "17530101", "17530101"), dayRange("c", "99991230", "99991230"),
                                     monthRange("c", "175302", "175302"), monthRange("c", "999911", "999911")}) {
        EXPECT_EQ(years(range).size(), 2u) << range;
        for (int y : years(range)) {
            EXPECT_GE(y, 1753) << range;
            EXPECT_LE(y, 9999) << range;
        }
    }
    // an end the server cannot hold: the key test alone decides
    EXPECT_EQ(dayRange("c", "99991231", "99991231"), "");
    EXPECT_EQ(monthRange("c", "999912", "999912"), "");
    EXPECT_EQ(monthRange("c", "175301", "175301"), "");
}

TEST(PeriodRanges, DecemberRunsIntoJanuaryOfTheNextYear) {
    EXPECT_EQ(dayRange("c", "20261231", "20261231"),
              " And c >= CONVERT(datetime,'2026-12-31',120) And c < CONVERT(datetime,'2027-01-01',120)");
    EXPECT_EQ(monthRange("c", "202612", "202612"),
              " And c >= CONVERT(datetime,'2026-11-30',120) And c < CONVERT(datetime,'2027-01-01',120)");
    EXPECT_EQ(monthRange("c", "202611", "202701"),
              " And c >= CONVERT(datetime,'2026-10-31',120) And c < CONVERT(datetime,'2027-02-01',120)");
    // and January starts on the last day of the year before
    EXPECT_EQ(monthRange("c", "202601", "202601"),
              " And c >= CONVERT(datetime,'2025-12-31',120) And c < CONVERT(datetime,'2026-02-01',120)");
}

TEST(PeriodRanges, LeapYearsHaveTheirTwentyNinthOfFebruary) {
    EXPECT_EQ(dayRange("c", "20240228", "20240228"),
              " And c >= CONVERT(datetime,'2024-02-28',120) And c < CONVERT(datetime,'2024-02-29',120)");
    EXPECT_EQ(dayRange("c", "20240229", "20240229"),
              " And c >= CONVERT(datetime,'2024-02-29',120) And c < CONVERT(datetime,'2024-03-01',120)");
    EXPECT_EQ(dayRange("c", "20230228", "20230228"),
              " And c >= CONVERT(datetime,'2023-02-28',120) And c < CONVERT(datetime,'2023-03-01',120)");
    EXPECT_NE(dayRange("c", "20000229", "20000229"), "");  // divisible by 400
    EXPECT_EQ(dayRange("c", "21000229", "21000229"), "");  // by 100 only
    EXPECT_EQ(monthRange("c", "202403", "202403"),
              " And c >= CONVERT(datetime,'2024-02-29',120) And c < CONVERT(datetime,'2024-04-01',120)");
    EXPECT_EQ(monthRange("c", "202303", "202303"),
              " And c >= CONVERT(datetime,'2023-02-28',120) And c < CONVERT(datetime,'2023-04-01',120)");
    EXPECT_EQ(monthRange("c", "202402", "202402"),
              " And c >= CONVERT(datetime,'2024-01-31',120) And c < CONVERT(datetime,'2024-03-01',120)");
}
