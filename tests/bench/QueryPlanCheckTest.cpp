// The plan reader on plans as SQLite writes them.
#include <gtest/gtest.h>

#include "QueryPlanCheck.h"

namespace tally::bench {
namespace {

using Plan = std::vector<data::QueryPlanStep>;

// The shape of the per-invoice statement: two materialized item sums, then the
// invoices with the sums looked up per invoice.
Plan perInvoicePlan(const std::string& secondLookup) {
    return {{2, 0, "MATERIALIZE B1"},
            {9, 2, "SEARCH 票据开票数据 USING COVERING INDEX 票据开票数据_项目 (收费项目代号=?)"},
            {20, 0, "MATERIALIZE B2"},
            {27, 20, "SEARCH 票据开票数据 USING COVERING INDEX 票据开票数据_项目 (收费项目代号=?)"},
            {40, 0, "SEARCH 票据 USING INDEX 票据_部门_开票日期 (开票部门编号=?)"},
            {51, 0, "SEARCH B1 USING AUTOMATIC COVERING INDEX (票据编号=? AND 入库单编号=?) LEFT-JOIN"},
            {60, 0, secondLookup},
            {70, 0, "USE TEMP B-TREE FOR ORDER BY"}};
}

TEST(QueryPlanCheck, DerivedTablesLookedUpThroughAnIndexPass) {
    EXPECT_TRUE(unindexedDerivedJoins(perInvoicePlan("SEARCH B2 USING AUTOMATIC PARTIAL COVERING INDEX "
                                                     "(票据编号=?) LEFT-JOIN"))
                    .empty());
}

TEST(QueryPlanCheck, AScannedOrUnindexedDerivedTableInAJoinIsReported) {
    for (const std::string step : {"SCAN B2 LEFT-JOIN", "SEARCH B2 LEFT-JOIN"}) {
        auto problems = unindexedDerivedJoins(perInvoicePlan(step));
        ASSERT_EQ(problems.size(), 1u) << step;
        EXPECT_EQ(problems[0].table, "B2");
        EXPECT_EQ(problems[0].detail, step);
    }
}

TEST(QueryPlanCheck, BaseTablesAndTheOutermostLoopMayScan) {
    Plan plan{{3, 0, "MATERIALIZE A1"},
              {8, 3, "SCAN 票据入库单"},
              {12, 3, "SEARCH 票据 USING INDEX 票据_部门_开票日期 (开票部门编号=?)"},
              {30, 0, "SCAN A1"},
              {33, 0, "SCAN 税控盘收费项目设置"}};
    EXPECT_TRUE(unindexedDerivedJoins(plan).empty());
}

TEST(QueryPlanCheck, EachPartOfAUnionHasItsOwnOutermostLoop) {
    Plan plan{{1, 0, "MERGE (UNION ALL)"},
              {3, 1, "LEFT"},
              {6, 3, "MATERIALIZE B1"},
              {20, 6, "SEARCH 票据开票数据 USING INDEX 票据开票数据_项目 (收费项目代号=?)"},
              {40, 3, "SCAN B1"},
              {90, 1, "RIGHT"},
              {93, 90, "MATERIALIZE B2"},
              {100, 93, "SEARCH 票据开票数据 USING INDEX 票据开票数据_项目 (收费项目代号=?)"},
              {120, 90, "SEARCH 票据 USING INDEX 票据_部门_开票日期 (开票部门编号=?)"},
              {130, 90, "SCAN B2 LEFT-JOIN"}};
    auto problems = unindexedDerivedJoins(plan);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].table, "B2");
}

TEST(QueryPlanCheck, AcceptedTablesAreNotReported) {
    EXPECT_TRUE(unindexedDerivedJoins(perInvoicePlan("SCAN B2 LEFT-JOIN"), {"B2"}).empty());
}

TEST(QueryPlanCheck, OnlyJoinsOnADisjunctionWithANullTestOfTheSameTableAreAccepted) {
    const std::string sql =
        "Select * From 税控盘收费项目设置 A"
        " LEFT Join (Select 1 as x, 税率 From T group by 税率) A2 On A.税率=A2.税率"
        " LEFT Join (Select 1 as x, 税率 From T group by 税率) A3 On (A.税率=A3.税率 Or A3.税率 Is Null)"
        " LEFT Join (Select 1 as x, 税率 From T group by 税率) B9 On (A.税率= B9.税率 Or B9.税率 Is Null)"
        " LEFT Join (Select 1 as x, 税率 From T group by 税率) B10 On (A.税率= B10.税率 Or A.税率 Is Null)";
    EXPECT_EQ(disjunctionJoinedTables(sql), (std::set<std::string>{"A3", "B9"}));
}

}  // namespace
}  // namespace tally::bench
