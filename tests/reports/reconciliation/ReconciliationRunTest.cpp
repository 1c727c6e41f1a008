// Whole runs over small databases, against hand-computed tables.
#include <gtest/gtest.h>

#include "CompleteReconciliation.h"
#include "PreInvoicedCorrections.h"
#include "ReconciliationRun.h"
#include "ReconciliationTestData.h"

using namespace tally::reports::reconciliation;
using tally::testing::ReconciliationDatabase;
using tally::testing::selectionFor;
using Rows = std::vector<std::vector<std::string>>;

namespace {

ReconciliationRun runOn(ReconciliationDatabase& db, const ReconciliationSelection& selection) {
    auto connection = db.connect();
    return RunReconciliation(*connection, selection);
}

void expectCompleted(const ReconciliationRun& run) {
    EXPECT_EQ(run.end, RunEnd::Completed);
    for (const auto& e : run.reported) ADD_FAILURE() << "reported: " << e.messageText();
}

// The colour of every cell of a row, left to right (0 for none).
std::vector<Colour> colours(const ReconciliationTable& table, int row) {
    std::vector<Colour> out;
    for (int c = 0; c < table.columnCount(); ++c) out.push_back(table.cell(row, c).colour.value_or(0));
    return out;
}

}  // namespace

TEST(ReconciliationRun, OneMonthGivesRateRowsSubtotalAndTotal) {
    ReconciliationDatabase db;
    db.item("F1", "物业费(住宅)", 0.06);
    db.item("F2", "停车费%", 0.09);
    db.item("F9", "外处项目", 0.13, "GL2");  // another office's item
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    db.ticket("02", "2024-03-10", "2024-03-10", "F2", 109, 9);
    db.ticket("01", "2024-02-20", "2024-02-20", "F1", 530, 30);             // another month
    db.ticket("01", "2024-03-06", "2024-03-06", "F1", 999, 9, "D1", true);  // voided
    db.ticket("01", "2024-03-07", "2024-03-07", "F1", 888, 8, "D2");        // another department
    db.ticket("09", "2024-03-08", "2024-03-08", "F2", 777, 7);              // a fixed-value type
    db.ticket("01", "2024-03-09", "2024-03-09", "F9", 113, 13);

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    ASSERT_EQ(run.items.size(), 2u);
    EXPECT_EQ(run.items[0], (ReconciliationFeeItem{"'F1'", "物业费住宅", 0.06}));
    EXPECT_EQ(run.items[1], (ReconciliationFeeItem{"'F2'", "停车费", 0.09}));
    EXPECT_EQ(run.table.columnCount(), 15);
    EXPECT_EQ(run.table.rowTexts(1)[8], "物业费住宅");
    EXPECT_EQ(run.table.dataRowTexts(), (Rows{{"1", "202403", "0.06", "100.00", "6.00", "0.00", "0.00", "0.00",
                                               "106.00", "0.00", "106.00", "", "", "", ""},
                                              {"2", "202403", "0.09", "0.00", "0.00", "100.00", "9.00", "0.00", "0.00",
                                               "109.00", "109.00", "", "", "", ""},
                                              {"3", "202403", "小计", "100.00", "6.00", "100.00", "9.00", "0.00",
                                               "106.00", "109.00", "215.00", "0.00", "0.00", "0.00", ""},
                                              {"4", "合计", "", "100.00", "6.00", "100.00", "9.00", "0.00", "106.00",
                                               "109.00", "215.00", "0.00", "0.00", "", ""}}));

    const Colour S = kSubtotalColour, T = kTotalColour;
    EXPECT_EQ(colours(run.table, 2), std::vector<Colour>(15, 0));
    EXPECT_EQ(colours(run.table, 4), (std::vector<Colour>{0, 0, 0, S, S, S, S, S, S, S, S, S, S, S, 0}));
    EXPECT_EQ(colours(run.table, 5), (std::vector<Colour>{0, 0, 0, T, T, T, T, T, T, T, T, T, T, 0, 0}));
}

TEST(ReconciliationRun, ReceiptsOfNoRateWithoutARateZeroRowShowOnARowOfTheirOwnAndReconcile) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.item("F4", "押金", std::nullopt);  // no rate: its receipts land on the S税率 100 row
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    db.ticket("03", "2024-03-12", "2024-03-12", "F4", 50, 0);

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    ASSERT_EQ(run.items.size(), 2u);
    EXPECT_EQ(run.items[1].rate, 0);
    // The receipt and its hand-over on a row of no rate; the month reconciles to 0.00.
    EXPECT_EQ(
        run.table.dataRowTexts(),
        (Rows{{"1", "202403", "0.06", "100.00", "6.00", "0.00", "0.00", "0.00", "106.00", "0.00", "106.00", "", "", "",
               ""},
              {"2", "202403", "", "0.00", "0.00", "0.00", "0.00", "50.00", "0.00", "50.00", "50.00", "", "", "", ""},
              {"3", "202403", "小计", "100.00", "6.00", "0.00", "0.00", "50.00", "106.00", "50.00", "156.00", "0.00",
               "0.00", "0.00", ""},
              {"4", "合计", "", "100.00", "6.00", "0.00", "0.00", "50.00", "106.00", "50.00", "156.00", "0.00", "0.00",
               "", ""}}));
    EXPECT_EQ(MonthsWithDifference(run.table), 0);
}

TEST(ReconciliationRun, ReceiptsJoinTheRateZeroRowAndOnlyUnmatchedMonthsCountAsDifferences) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.item("F4", "押金", std::nullopt);
    db.item("F5", "电费", 0);
    // March: invoices and receipts, all handed over in the month.
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    db.ticket("02", "2024-03-07", "2024-03-07", "F5", 300, 0);
    db.ticket("03", "2024-03-12", "2024-03-12", "F4", 50, 0);
    db.ticket("03", "2024-03-13", "2024-03-13", "F4", 20.5, 0);
    // April: a receipt, and a ticket of a type the check does not count as invoiced.
    db.ticket("03", "2024-04-02", "2024-04-02", "F4", 70, 0);
    db.ticket("04", "2024-04-03", "2024-04-03", "F5", 30, 0);

    auto run = runOn(db, selectionFor("03", "04"));
    expectCompleted(run);
    ASSERT_EQ(run.items.size(), 3u);
    // Rate 0 carries the receipts next to 电费's invoice and 押金's hand-over of no rate.
    EXPECT_EQ(run.table.dataRowTexts(), (Rows{{"1", "202403", "0", "0.00", "0.00", "300.00", "0.00", "70.50", "0.00",
                                               "70.50", "300.00", "370.50", "", "", "", ""},
                                              {"2", "202403", "0.06", "100.00", "6.00", "0.00", "0.00", "0.00",
                                               "106.00", "0.00", "0.00", "106.00", "", "", "", ""},
                                              {"3", "202403", "小计", "100.00", "6.00", "300.00", "0.00", "70.50",
                                               "106.00", "70.50", "300.00", "476.50", "0.00", "0.00", "0.00", ""},
                                              {"4", "202404", "0", "0.00", "0.00", "0.00", "0.00", "70.00", "0.00",
                                               "70.00", "30.00", "100.00", "", "", "", ""},
                                              {"5", "202404", "0.06", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
                                               "0.00", "0.00", "0.00", "", "", "", ""},
                                              {"6", "202404", "小计", "0.00", "0.00", "0.00", "0.00", "70.00", "0.00",
                                               "70.00", "30.00", "100.00", "0.00", "0.00", "-30.00", ""},
                                              {"7", "合计", "", "100.00", "6.00", "300.00", "0.00", "140.50", "106.00",
                                               "140.50", "330.00", "576.50", "0.00", "0.00", "", ""}}));
    EXPECT_EQ(MonthsWithDifference(run.table), 1);

    ReconciliationTable table = run.table;
    table.setText(8, 14, "-171429.79");  // the total row: not a month
    table.setText(7, 14, "0.00");
    EXPECT_EQ(MonthsWithDifference(table), 0);
    table.setText(4, 14, "0.01");
    EXPECT_EQ(MonthsWithDifference(table), 1);
    table.setText(7, 14, "-171429.79");
    EXPECT_EQ(MonthsWithDifference(table), 2);
}

TEST(ReconciliationRun, RateZeroItemShowsOnRateZeroRowsOnly) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.item("F3", "水费", std::nullopt);  // rate 0 through a missing rate: joins every row
    db.item("F5", "电费", 0);
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    db.ticket("02", "2024-03-06", "2024-03-06", "F3", 50, 0);
    db.ticket("02", "2024-03-07", "2024-03-07", "F5", 300, 0);

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    ASSERT_EQ(run.items.size(), 3u);
    // F3's ordinary invoice has no rate row to show on, so the month falls 50 short.
    EXPECT_EQ(run.table.dataRowTexts(), (Rows{{"1", "202403", "0", "0.00", "0.00", "300.00", "0.00", "0.00", "0.00",
                                               "50.00", "300.00", "350.00", "", "", "", ""},
                                              {"2", "202403", "0.06", "100.00", "6.00", "0.00", "0.00", "0.00",
                                               "106.00", "0.00", "0.00", "106.00", "", "", "", ""},
                                              {"3", "202403", "小计", "100.00", "6.00", "300.00", "0.00", "0.00",
                                               "106.00", "50.00", "300.00", "456.00", "0.00", "0.00", "-50.00", ""},
                                              {"4", "合计", "", "100.00", "6.00", "300.00", "0.00", "0.00", "106.00",
                                               "50.00", "300.00", "456.00", "0.00", "0.00", "", ""}}));
}

TEST(ReconciliationRun, RateZeroItemWithASettingOfNoRateTooShowsItsHandOverOnce) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.item("F5", "电费", 0);
    db.setting("F5", std::nullopt, "GL1");  // a second setting of the same item, without a rate
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    db.ticket("02", "2024-03-07", "2024-03-07", "F5", 300, 0);

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    const auto rows = run.table.dataRowTexts();
    int rateZeroRows = 0;
    for (const auto& row : rows)
        if (row.size() > 2 && row[2] == "0") {
            ++rateZeroRows;
            // the item comes twice (a column per setting); each holds the 300 collected, not
            // its lines of rate 0 and of no rate added up
            EXPECT_EQ(std::vector<std::string>(row.begin() + 3, row.begin() + 12),
                      (std::vector<std::string>{"0.00", "0.00", "300.00", "0.00", "0.00", "0.00", "300.00", "300.00",
                                                "600.00"}));
        }
    EXPECT_EQ(rateZeroRows, 1);
}

TEST(ReconciliationRun, MonthWhoseInvoicesAddToZeroGetsNoSubtotalAndStaysOutOfTheTotal) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.ticket("01", "2024-02-10", "2024-03-05", "F1", 53, 3);  // issued in February, collected in March
    // March: lines whose double sum is not exactly 0 but whose shown amount is 0.00
    db.ticket("01", "2024-03-11", "2024-03-11", "F1", 0.1, 0);
    db.ticket("01", "2024-03-12", "2024-03-12", "F1", 0.2, 0);
    db.ticket("01", "2024-03-13", "2024-03-13", "F1", -0.3, 0);

    auto run = runOn(db, selectionFor("02", "03"));
    expectCompleted(run);
    // Running numbers count the detail, subtotal and total rows alike.
    EXPECT_EQ(
        run.table.dataRowTexts(),
        (Rows{{"1", "202402", "0.06", "50.00", "3.00", "0.00", "0.00", "0.00", "0.00", "0.00", "", "", "", ""},
              {"2", "202402", "小计", "50.00", "3.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "53.00", "0.00",
               ""},
              {"3", "202403", "0.06", "0.00", "0.00", "0.00", "0.00", "0.00", "53.00", "53.00", "", "", "", ""},
              {"4", "合计", "", "50.00", "3.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "53.00", "", ""}}));
}

TEST(ReconciliationRun, NoGrandTotalWhenNoMonthHasInvoices) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.ticket("01", "2024-03-11", "2024-03-11", "F1", 10.6, 0.6);
    db.ticket("01", "2024-03-12", "2024-03-12", "F1", -10.6, -0.6);

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    EXPECT_EQ(run.table.dataRowTexts(),
              (Rows{{"1", "202403", "0.06", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "", "", "", ""}}));
}

TEST(ReconciliationRun, ShortfallOfInvoicesReadsNegative) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    db.ticket("01", "2024-01-15", "2024-03-02", "F1", 212, 12);  // collected pre-invoicing
    db.ticket("01", "2024-03-20", std::nullopt, "F1", 318, 18);  // not collected yet
    db.ticket("04", "2024-03-21", "2024-03-21", "F1", 120, 0);   // handed over, on no checked type

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    EXPECT_EQ(
        run.table.dataRowTexts(),
        (Rows{{"1", "202403", "0.06", "400.00", "24.00", "0.00", "0.00", "0.00", "438.00", "438.00", "", "", "", ""},
              {"2", "202403", "小计", "400.00", "24.00", "0.00", "0.00", "0.00", "438.00", "438.00", "212.00", "318.00",
               "-120.00", ""},
              {"3", "合计", "", "400.00", "24.00", "0.00", "0.00", "0.00", "438.00", "438.00", "212.00", "318.00", "",
               ""}}));
}

TEST(ReconciliationRun, PreInvoicingIgnoresOfficeAndRates) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.setting("F1", 0.13, "GL2");        // a second office's setting must not count F1 twice
    db.item("F4", "押金", std::nullopt);  // no rate: left out of the rate rows, not of the corrections
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    db.ticket("03", "2024-03-06", "2024-03-06", "F4", 10, 0);
    db.ticket("01", "2024-02-05", "2024-03-07", "F1", 50, 3);
    db.ticket("03", "2024-02-06", "2024-03-08", "F4", 30, 0);
    db.ticket("01", "2024-03-09", std::nullopt, "F1", 70, 4);
    db.ticket("01", "2024-03-10", "2024-04-01", "F1", 5, 0);

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    int subtotal = -1;
    for (int r = 2; r < run.table.rowCount(); ++r)
        if (run.table.text(r, 2) == "小计") subtotal = r;
    ASSERT_GT(subtotal, 0);
    EXPECT_EQ(run.table.text(subtotal, 11), "80.00");  // 50 + 30
    EXPECT_EQ(run.table.text(subtotal, 12), "75.00");  // 70 + 5

    // The office is accepted and not used.
    auto elsewhere = selectionFor("03", "03");
    elsewhere.department.officeCode = "ELSEWHERE";
    auto connection = db.connect();
    auto lists = LoadInvoiceTypeLists(*connection);
    ASSERT_TRUE(lists.ok());
    ReconciliationTable table = run.table;
    table.setCell(subtotal, 11, "", std::nullopt);
    table.setCell(subtotal, 12, "", std::nullopt);
    EXPECT_FALSE(FillCollectedPreInvoiced(*connection, elsewhere, lists.value(), run.items, table));
    EXPECT_FALSE(FillUncollectedPreInvoiced(*connection, elsewhere, lists.value(), run.items, table));
    EXPECT_EQ(table.cell(subtotal, 11), (TableCell{"80.00", kSubtotalColour}));
    EXPECT_EQ(table.cell(subtotal, 12), (TableCell{"75.00", kSubtotalColour}));
}

TEST(ReconciliationRun, NoReceiptTypeMatchesNothingInsteadOfFailing) {
    ReconciliationDatabase db(false);
    db.item("F1", "物业费", 0.06);
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);

    auto run = runOn(db, selectionFor("03", "03"));
    expectCompleted(run);
    ASSERT_EQ(run.table.rowCount(), 5);
    EXPECT_EQ(run.table.text(2, 7), "0.00");
    EXPECT_EQ(run.table.text(3, 12), "0.00");
}

TEST(ReconciliationRun, QuotesAndAwkwardNamesStayInsideTheirValues) {
    ReconciliationDatabase db;
    db.item("F'1", "水 电-费 [A]", 0.06);
    db.item("F'2", "押金", 0);
    db.ticket("01", "2024-03-05", "2024-03-05", "F'1", 106, 6, "D'1");
    db.ticket("02", "2024-03-06", "2024-03-06", "F'2", 20, 0, "D'1");
    auto selection = selectionFor("03", "03");
    selection.department.departmentCode = "D'1";

    auto run = runOn(db, selection);
    expectCompleted(run);
    ASSERT_EQ(run.items.size(), 2u);
    EXPECT_EQ(run.items[0].code, "'F''1'");
    EXPECT_EQ(run.table.rowTexts(1)[8], "水 电-费 [A]");
    EXPECT_EQ(
        run.table.dataRowTexts(),
        (Rows{{"1", "202403", "0", "0.00", "0.00", "20.00", "0.00", "0.00", "0.00", "20.00", "20.00", "", "", "", ""},
              {"2", "202403", "0.06", "100.00", "6.00", "0.00", "0.00", "0.00", "106.00", "0.00", "106.00", "", "", "",
               ""},
              {"3", "202403", "小计", "100.00", "6.00", "20.00", "0.00", "0.00", "106.00", "20.00", "126.00", "0.00",
               "0.00", "0.00", ""},
              {"4", "合计", "", "100.00", "6.00", "20.00", "0.00", "0.00", "106.00", "20.00", "126.00", "0.00", "0.00",
               "", ""}}));
}

TEST(ReconciliationRun, NothingIssuedEndsWithTheNoDataMessage) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.ticket("01", "2024-04-05", "2024-04-05", "F1", 106, 6);

    auto run = runOn(db, selectionFor("03", "03"));
    EXPECT_EQ(run.end, RunEnd::NoData);
    ASSERT_EQ(run.reported.size(), 1u);
    EXPECT_EQ(run.reported[0].messageText(), "没有满足条件的开票数据,请重新设置条件!");
    EXPECT_EQ(run.table.rowCount(), 2);
    EXPECT_EQ(run.table.columnCount(), 13);
}

TEST(ReconciliationRun, HookBeforeMonthRowsSeesTheNewHeadingsOnlyWhenItemsWereFound) {
    ReconciliationDatabase db;
    db.item("F1", "物业费", 0.06);
    db.ticket("01", "2024-03-05", "2024-03-05", "F1", 106, 6);
    tally::testing::FailingConnection connection(db.connect(), [](std::string_view) { return false; });
    auto lists = LoadInvoiceTypeLists(connection);
    ASSERT_TRUE(lists.ok());

    struct Seen {
        int rows, columns;
        bool monthQueryRan;
    };
    std::vector<Seen> seen;
    auto hook = [&](const ReconciliationTable& table) {
        bool monthQueryRan = false;
        for (const auto& sql : connection.statements) monthQueryRan |= tally::testing::contains(sql, "as 交账");
        seen.push_back({table.rowCount(), table.columnCount(), monthQueryRan});
    };
    auto run = RunReconciliation(connection, selectionFor("03", "03"), lists.value(), openedReconciliation(), hook);
    expectCompleted(run);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].rows, 2);
    EXPECT_EQ(seen[0].columns, 14);
    EXPECT_FALSE(seen[0].monthQueryRan);

    seen.clear();
    auto empty = RunReconciliation(connection, selectionFor("05", "05"), lists.value(), std::move(run), hook);
    EXPECT_EQ(empty.end, RunEnd::NoData);
    EXPECT_TRUE(seen.empty());
}
