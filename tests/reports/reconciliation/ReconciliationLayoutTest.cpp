// Headings, table geometry, the selection checks and the title.
#include <gtest/gtest.h>

#include "ReconciliationHeadings.h"
#include "ReconciliationSelection.h"
#include "ReconciliationTable.h"

using namespace tally::reports;
using namespace tally::reports::reconciliation;
using Texts = std::vector<std::string>;

TEST(ReconciliationHeadings, InitialLayoutHasThirteenColumns) {
    ReconciliationTable table;
    SetInitialReconciliationHeadings(table);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.rowTexts(0),
              (Texts{"序", "开票年月", "税率", "增值税专用发票", "增值税专用发票", "增值税普通发票", "增值税普通发票",
                     "收据", "财务交账", "当月收预开票", "当月未收预开", "核对结果", "备注"}));
    EXPECT_EQ(table.rowTexts(1), (Texts{"序", "开票年月", "税率", "金额", "税额", "金额", "税额", "金额", "小计",
                                        "金额", "金额", "差额", "备注"}));
}

TEST(ReconciliationHeadings, TwoItemsGiveFifteenColumnsWithTheirMerges) {
    ReconciliationTable table;
    SetReconciliationHeadings(table, {{"'F1'", "物业费", 0.06}, {"'F2'", "水费", 0}});
    ASSERT_EQ(table.columnCount(), 15);
    EXPECT_EQ(table.rowTexts(1)[8], "物业费");
    EXPECT_EQ(table.rowTexts(1)[9], "水费");
    EXPECT_EQ(table.rowTexts(0)[10], "财务交账");
    EXPECT_EQ(table.rowTexts(1)[10], "小计");

    std::vector<int> widths;
    for (int c = 0; c < 15; ++c) widths.push_back(table.widthTwips(c));
    EXPECT_EQ(widths, (std::vector<int>{500, 900, 600, 1300, 1200, 1300, 1200, 1200, 1200, 1200, 1200, 1200, 1200, 1200,
                                        1600}));

    // "序", "开票年月", "税率" over both rows; the row-0 groups across; the two "备注"
    // cells stay apart because "核对结果" and "差额" to their left differ.
    EXPECT_EQ(
        table.headingSpans(),
        (std::vector<HeadingSpan>{{0, 0, 2, 1}, {0, 1, 2, 1}, {0, 2, 2, 1}, {0, 3, 1, 2}, {0, 5, 1, 2}, {0, 8, 1, 3}}));
    EXPECT_EQ(table.headings().frozenColumns, 3);
}

TEST(ReconciliationTable, AlignmentCellsAndRowAccess) {
    ReconciliationTable table;
    SetInitialReconciliationHeadings(table);
    int r = table.appendRow();
    EXPECT_EQ(r, 2);
    EXPECT_EQ(ReconciliationTable::runningNumber(r), "1");
    EXPECT_EQ(table.alignment(0, 5), CellAlignment::Centre);
    EXPECT_EQ(table.alignment(1, 12), CellAlignment::Centre);
    EXPECT_EQ(table.alignment(2, 2), CellAlignment::Centre);
    EXPECT_EQ(table.alignment(2, 3), CellAlignment::Right);

    table.setCell(r, 3, "-12.50", kSubtotalColour);
    EXPECT_EQ(table.value(r, 3), -1250);
    EXPECT_EQ(table.value(r, 4), 0);  // empty counts 0
    EXPECT_EQ(table.dataRowTexts(), (std::vector<Texts>{{"", "", "", "-12.50", "", "", "", "", "", "", "", "", ""}}));
    EXPECT_THROW(table.setText(3, 0, "x"), std::out_of_range);
    EXPECT_THROW(table.cell(2, 13), std::out_of_range);

    table.removeDataRows();
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.text(0, 0), "序");
}

TEST(ReconciliationSelection, ChecksInTheStartCommandsOrder) {
    // No department wins even over a refused period.
    auto noDepartment = checkReconciliationSelection(false, "06", "05");
    ASSERT_TRUE(noDepartment);
    EXPECT_EQ(noDepartment->error.messageText(), "请先选择统计部门!");
    EXPECT_FALSE(noDepartment->focusPeriodEnd);

    auto backwards = checkReconciliationSelection(true, "06", "05");
    ASSERT_TRUE(backwards);
    EXPECT_EQ(backwards->error.messageText(), "截至月份不能小于开始月份,请重新选择!");
    EXPECT_TRUE(backwards->error.refusedSelection);
    EXPECT_TRUE(backwards->focusPeriodEnd);

    EXPECT_FALSE(checkReconciliationSelection(true, "05", "05"));
    EXPECT_FALSE(checkReconciliationSelection(true, "09", "10"));
}

TEST(ReconciliationSelection, MonthKeysAndTitle) {
    ReconciliationSelection s{"2024", "09", "12", {"D1", "GL1", "一号管理处"}};
    EXPECT_EQ(s.monthKeys(), (Texts{"202409", "202410", "202411", "202412"}));
    s.startMonth = s.endMonth = "05";
    EXPECT_EQ(s.monthKeys(), (Texts{"202405"}));
    EXPECT_EQ(reconciliationTitle("2024", s.department), "2024年度【一号管理处】票据核对表");
}
