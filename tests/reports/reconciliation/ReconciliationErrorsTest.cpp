// How a run goes on, or stops, when a statement fails.
#include <gtest/gtest.h>

#include "ReconciliationRun.h"
#include "ReconciliationTestData.h"

using namespace tally::reports::reconciliation;
using tally::testing::contains;
using tally::testing::FailingConnection;
using tally::testing::ReconciliationDatabase;
using tally::testing::selectionFor;

namespace {

// Two months of F1 special invoices, February's collected in March: a subtotal
// each and a total once all goes well.
void twoMonths(ReconciliationDatabase& db) {
    db.item("F1", "物业费", 0.06);
    db.ticket("01", "2024-02-05", "2024-03-10", "F1", 53, 3);
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
}

bool anyContains(const std::vector<std::string>& statements, std::string_view part) {
    for (const auto& s : statements)
        if (contains(s, part)) return true;
    return false;
}

}  // namespace

TEST(ReconciliationErrors, FailedCorrectionIsReportedAndTheRunGoesOn) {
    ReconciliationDatabase db;
    twoMonths(db);
    FailingConnection connection(db.connect(), [](std::string_view sql) { return contains(sql, "当月收预开 From"); });
    auto run = RunReconciliation(connection, selectionFor("02", "03"));

    EXPECT_EQ(run.end, RunEnd::Completed);
    ASSERT_EQ(run.reported.size(), 1u);
    EXPECT_EQ(run.reported[0].messageText(), "-2147217900语法错误");
    // Both subtotals lack the collected correction; the uncollected one is there, and
    // March's difference counts the missing 53.00 as 0.
    EXPECT_EQ(run.table.rowTexts(3), (std::vector<std::string>{"2", "202402", "小计", "50.00", "3.00", "0.00", "0.00",
                                                               "0.00", "0.00", "0.00", "", "53.00", "0.00", ""}));
    EXPECT_EQ(run.table.rowTexts(5), (std::vector<std::string>{"4", "202403", "小计", "100.00", "6.00", "0.00", "0.00",
                                                               "0.00", "159.00", "159.00", "", "0.00", "-53.00", ""}));
    EXPECT_EQ(run.table.text(6, 1), "合计");
}

TEST(ReconciliationErrors, FailedMonthRowsAbandonTheRunWithTheRowsSoFar) {
    ReconciliationDatabase db;
    twoMonths(db);
    FailingConnection connection(db.connect(), [](std::string_view sql) {
        return contains(sql, "As 收费项目代号") && contains(sql, "as 交账") && contains(sql, "'202403'");
    });
    auto run = RunReconciliation(connection, selectionFor("02", "03"));

    EXPECT_TRUE(run.abandoned());
    ASSERT_EQ(run.reported.size(), 1u);
    EXPECT_EQ(run.reported[0].number, -2147217900);
    ASSERT_EQ(run.table.rowCount(), 4);  // headings, February's detail and subtotal
    EXPECT_EQ(run.table.text(3, 2), "小计");
    EXPECT_EQ(run.table.text(3, 12), "");  // never completed
    EXPECT_FALSE(anyContains(connection.statements, "当月收预开"));
}

TEST(ReconciliationErrors, FailedExtractionKeepsThePreviousItems) {
    ReconciliationDatabase db;
    twoMonths(db);
    auto good = db.connect();
    auto lists = LoadInvoiceTypeLists(*good);
    ASSERT_TRUE(lists.ok());
    auto first = RunReconciliation(*good, selectionFor("02", "03"), lists.value());
    ASSERT_EQ(first.end, RunEnd::Completed);

    FailingConnection failing(db.connect(), [](std::string_view sql) { return contains(sql, "inner join setupsfxm"); });
    auto second = RunReconciliation(failing, selectionFor("03", "03"), lists.value(), first);
    ASSERT_EQ(second.reported.size(), 1u);
    EXPECT_EQ(second.end, RunEnd::Completed);
    EXPECT_EQ(second.items, first.items);
    EXPECT_EQ(second.table.rowCount(), 5);  // March only: detail, subtotal, total
    EXPECT_EQ(second.table.text(2, 1), "202403");

    // A first run whose extraction fails has no items to go on with.
    auto fresh = RunReconciliation(failing, selectionFor("03", "03"), lists.value());
    EXPECT_EQ(fresh.end, RunEnd::NoData);
    ASSERT_EQ(fresh.reported.size(), 2u);
    EXPECT_FALSE(fresh.reported[0].refusedSelection);
    EXPECT_EQ(fresh.reported[1].messageText(), "没有满足条件的开票数据,请重新设置条件!");
}

TEST(ReconciliationErrors, RefusedPeriodRunsNoStatement) {
    ReconciliationDatabase db;
    twoMonths(db);
    FailingConnection connection(db.connect(), [](std::string_view) { return false; });
    auto run = RunReconciliation(connection, selectionFor("06", "05"), InvoiceTypeLists{});
    EXPECT_EQ(run.end, RunEnd::Refused);
    ASSERT_EQ(run.reported.size(), 1u);
    EXPECT_EQ(run.reported[0].messageText(), "截至月份不能小于开始月份,请重新选择!");
    EXPECT_TRUE(connection.statements.empty());
    EXPECT_EQ(run.table.rowCount(), 2);
}

TEST(ReconciliationErrors, UnreadableTypeListsAbandonTheRun) {
    ReconciliationDatabase db;
    db.exec("DROP TABLE 票据类型");
    auto connection = db.connect();
    auto run = RunReconciliation(*connection, selectionFor("03", "03"));
    EXPECT_TRUE(run.abandoned());
    ASSERT_EQ(run.reported.size(), 1u);
    EXPECT_TRUE(contains(run.reported[0].description, "票据类型"));
    EXPECT_EQ(run.table.columnCount(), 13);
}

TEST(ReconciliationErrors, ReportStatementsRunWithoutATimeLimitAndTheListsWithTheDefault) {
    ReconciliationDatabase db;
    twoMonths(db);
    FailingConnection connection(db.connect(), [](std::string_view) { return false; });
    auto run = RunReconciliation(connection, selectionFor("03", "04"));
    EXPECT_EQ(run.end, RunEnd::Completed);
    ASSERT_EQ(connection.timeouts.size(), connection.statements.size());
    int reportStatements = 0;
    for (std::size_t i = 0; i < connection.statements.size(); ++i) {
        // The type lists load like the window's lists; everything after them is the report.
        const bool typeList = contains(connection.statements[i], "From 票据类型");
        EXPECT_EQ(connection.timeouts[i],
                  typeList ? tally::data::Connection::kDefaultTimeoutSeconds : tally::data::Connection::kNoTimeout)
            << connection.statements[i];
        if (!typeList) ++reportStatements;
    }
    EXPECT_GT(reportStatements, 2);
}
