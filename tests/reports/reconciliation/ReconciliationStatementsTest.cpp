// The statement texts: where the months, the values and the item names go, and how the
// month statement grows with the number of items. What they return is checked by the run tests.
#include <gtest/gtest.h>

#include "ReconciliationStatements.h"
#include "ReconciliationTestData.h"
#include "StatementText.h"

using namespace tally::reports::reconciliation;
using tally::testing::between;
using tally::testing::containsNoCase;
using tally::testing::occurrences;

namespace {

const InvoiceTypeLists kLists{"'01','02','03'", "'01'", "'02'", "'03'"};
const StatementScope kScope{"D1", "GL1", kLists};
const ReconciliationFeeItems kItems{{"'F1'", "物业费", 0.06}, {"'F3'", "水费", 0}};

// March 2024 as a range from the day before (a leap day) to the next month's first day.
std::string marchOn(const std::string& column) {
    return column + " >= CONVERT(datetime,'2024-02-29',120) And " + column + " < CONVERT(datetime,'2024-04-01',120)";
}

ReconciliationFeeItems manyItems(std::size_t n) {
    ReconciliationFeeItems items;
    for (std::size_t i = 1; i <= n; ++i)
        items.push_back({"'F" + std::to_string(i) + "'", "项" + std::to_string(i), i % 2 ? 0.06 : 0.0});
    return items;
}

// The two branches of a month's line selection: issued in the month, or collected in it.
std::pair<std::string, std::string> monthBranches(const std::string& statement) {
    const std::string where = between(statement, " Where ((", ")) And ");
    const auto split = where.find(") Or (");
    if (split == std::string::npos) return {};
    return {where.substr(0, split), where.substr(split)};
}

}  // namespace

TEST(ReconciliationStatements, EachBranchOfTheMonthIsARangeOnItsOwnDateWithItsMonthKeyKept) {
    for (const std::string& sql : {monthCodeSumsStatement(kScope, "202403", kItems)}) {
        const auto [issued, collected] = monthBranches(sql);
        ASSERT_FALSE(issued.empty()) << sql;
        EXPECT_TRUE(
            containsNoCase(issued, marchOn("票据.开票日期") + " And CONVERT(char(6),票据.开票日期,112) ='202403'"))
            << issued;
        EXPECT_FALSE(containsNoCase(issued, "收款日期")) << issued;
        EXPECT_TRUE(
            containsNoCase(collected, marchOn("票据.收款日期") + " And CONVERT(char(6),票据.收款日期,112) ='202403'"))
            << collected;
        EXPECT_FALSE(containsNoCase(collected, "票据.开票日期 >=")) << collected;
        // each branch tests the department, so each can seek an index on (department, date)
        EXPECT_TRUE(containsNoCase(issued, "票据.开票部门编号 ='D1'"));
        EXPECT_TRUE(containsNoCase(collected, "票据.开票部门编号 ='D1'"));
    }
}

TEST(ReconciliationStatements, ExtractionAndPreInvoicingSeekTheirDates) {
    // February to May: from the last day of January to the first of June, month keys kept
    const std::string extraction = feeItemExtractionStatement(tally::testing::selectionFor("02", "05"), kLists);
    EXPECT_TRUE(containsNoCase(extraction,
                               "票据.开票日期 >= CONVERT(datetime,'2024-01-31',120) And 票据.开票日期 < "
                               "CONVERT(datetime,'2024-06-01',120) And CONVERT(char(6),票据.开票日期,112) between "
                               "'202402' and '202405'"))
        << extraction;

    const std::string collected = collectedPreInvoicedStatement("D1", kLists.all, "202403", "'F1','F3'");
    EXPECT_TRUE(
        containsNoCase(collected, marchOn("票据.收款日期") + " And CONVERT(char(6),票据.收款日期 ,112) ='202403'"))
        << collected;
    EXPECT_FALSE(containsNoCase(collected, "票据.开票日期 >=")) << collected;

    const std::string uncollected = uncollectedPreInvoicedStatement("D1", kLists.all, "202403", "'F1','F3'");
    EXPECT_TRUE(
        containsNoCase(uncollected, marchOn("票据.开票日期") + " And CONVERT(char(6),票据.开票日期 ,112) ='202403'"))
        << uncollected;
    EXPECT_FALSE(containsNoCase(uncollected, "票据.收款日期 >=")) << uncollected;
}

TEST(ReconciliationStatements, DecemberRunsIntoTheNextYear) {
    const std::string sql = collectedPreInvoicedStatement("D1", kLists.all, "202412", "'F1'");
    EXPECT_TRUE(containsNoCase(sql,
                               "票据.收款日期 >= CONVERT(datetime,'2024-11-30',120) And 票据.收款日期 < "
                               "CONVERT(datetime,'2025-01-01',120)"))
        << sql;
}

TEST(ReconciliationStatements, TheMonthReadsItsLinesOnceWhateverTheItems) {
    const std::string one = monthCodeSumsStatement(kScope, "202403", manyItems(1));
    const std::string many = monthCodeSumsStatement(kScope, "202403", manyItems(300));
    EXPECT_EQ(occurrences(many, "Join"), occurrences(one, "Join"));
    for (const std::string& sql : {one, many}) {
        // the lines summed per rate and code, with no column per item: the program picks
        // each item's hand-over from these rows
        EXPECT_EQ(occurrences(sql, "From 票据开票数据"), 1u);
        EXPECT_EQ(occurrences(sql, "group by"), 1u);
        EXPECT_TRUE(sql.ends_with(" group by 税控盘收费项目设置.税率, 票据开票数据.收费项目代号")) << sql;
        EXPECT_EQ(occurrences(sql, "SUM("), 6u) << sql;
        EXPECT_FALSE(containsNoCase(sql, "项1")) << sql;
    }
    // every item's lines are read, through one list
    EXPECT_TRUE(containsNoCase(many, "Coalesce(票据开票数据.收费项目代号, Null) In ('F1','F2',"));
    EXPECT_TRUE(containsNoCase(many, ",'F300')"));
    EXPECT_EQ(settingsRatesStatement(), "Select Distinct 税率 From 税控盘收费项目设置");
}

TEST(ReconciliationStatements, EmptyListsMatchNothing) {
    const StatementScope scope{"D1", "GL1", {"", "", "", ""}};
    for (const std::string& sql :
         {monthCodeSumsStatement(scope, "202403", kItems),
          monthCodeSumsStatement(kScope, "202403", {{"", "无代号", 0.06}}),
          feeItemExtractionStatement(tally::testing::selectionFor("03", "03"), scope.typeLists),
          collectedPreInvoicedStatement("D1", "", "202403", ""),
          uncollectedPreInvoicedStatement("D1", "", "202403", "")})
        EXPECT_EQ(occurrences(sql, "IN ()"), 0u) << sql;
    EXPECT_TRUE(
        containsNoCase(monthCodeSumsStatement(scope, "202403", kItems), "Coalesce(票据类型代号, Null) In (NULL)"));
    EXPECT_TRUE(containsNoCase(monthCodeSumsStatement(kScope, "202403", {{"", "无代号", 0.06}}),
                               "Coalesce(票据开票数据.收费项目代号, Null) In (NULL)"));
    EXPECT_TRUE(containsNoCase(feeItemExtractionStatement(tally::testing::selectionFor("03", "03"), scope.typeLists),
                               "Coalesce(票据类型代号, Null) In (NULL)"));
    EXPECT_TRUE(containsNoCase(collectedPreInvoicedStatement("D1", "", "202403", ""),
                               "Coalesce(收费项目代号, Null) In (NULL)"));
    EXPECT_TRUE(containsNoCase(uncollectedPreInvoicedStatement("D1", "", "202403", ""),
                               "Coalesce(票据类型代号, Null) In (NULL)"));
}

TEST(ReconciliationStatements, ValuesAndNamesCannotEscapeTheirPlaces) {
    const StatementScope scope{"D'1", "G'L", kLists};
    const ReconciliationFeeItems items{{"'F''1'", "费]用 A-1", 0}, {"'F2'", "费]用 A-1", 0.06}};
    const std::string month = monthCodeSumsStatement(scope, "2024'3", items);
    EXPECT_TRUE(containsNoCase(month, "='2024''3'")) << month;
    EXPECT_FALSE(containsNoCase(month, "='2024'3'")) << month;
    // a month key that is no month gives no range; the key test alone decides
    EXPECT_FALSE(containsNoCase(month, "CONVERT(datetime")) << month;
    EXPECT_TRUE(containsNoCase(month, "票据.开票部门编号 ='D''1'"));
    EXPECT_TRUE(containsNoCase(month, "管理处 ='G''L'"));
    EXPECT_TRUE(containsNoCase(month, "In ('F''1','F2')"));
    // item names never enter the statement: the program names the columns
    EXPECT_FALSE(containsNoCase(month, "费]")) << month;
    EXPECT_TRUE(containsNoCase(feeItemExtractionStatement({"2024", "03", "03", {"D'1", "G'L", "一号"}}, kLists),
                               "票据.开票部门编号 ='D''1'"));
}
