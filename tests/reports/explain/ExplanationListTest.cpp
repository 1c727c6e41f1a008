// An explanation as the 查看明细 list pages it: numbered lines, then the total row carrying
// the explanation's own total (parts rounded on their own), never a sum of the shown cells.
#include <gtest/gtest.h>

#include <algorithm>

#include "ExplanationList.h"

namespace tally::reports::explain {
namespace {

ExplainedLine lineOf(const std::string& number, double value) {
    ExplainedLine line;
    line.invoiceNumber = number;
    line.amount = value;
    line.value = value;
    return line;
}

TEST(ExplanationList, TotalRowCarriesTheFigureNotTheCellsSum) {
    Explanation explanation;
    // Each part is rounded to cents before the parts are added, as the report adds them:
    // 0.004 + 0.004 -> 0.01, and 0.004 alone -> 0.00; the cells show 0.00 each.
    explanation.addPart({lineOf("A1", 0.004), lineOf("A2", 0.004)});
    explanation.addPart({lineOf("B1", 0.004)});
    const ExplanationResult result(listOf(explanation));
    const auto& list = result.list();

    ASSERT_EQ(result.rowCount(), 4);
    EXPECT_EQ(result.columnCount(), static_cast<int>(list.headings.size()) + 1);
    EXPECT_EQ(list.headings.at(static_cast<std::size_t>(list.totalColumn)), "计入金额");
    for (int i = 0; i < 3; ++i) {
        const DrawnRow row = result.drawRow(i);
        EXPECT_EQ(row.cells.at(0).text, std::to_string(i + 1));
        EXPECT_EQ(row.cells.at(static_cast<std::size_t>(list.totalColumn) + 1).text, "0.00");
        EXPECT_EQ(row.cells.at(static_cast<std::size_t>(list.totalColumn) + 1).align, CellAlign::Right);
    }
    const DrawnRow total = result.drawRow(3);
    EXPECT_EQ(total.cells.at(0).text, "");
    EXPECT_EQ(total.cells.at(1).text, "合计");
    EXPECT_EQ(total.cells.at(static_cast<std::size_t>(list.totalColumn) + 1).text, "0.01");
}

TEST(ExplanationList, DetailListsKeepTheirExchangeColumnsAfterTheTotal) {
    DetailExplanation explanation;
    ExplainedInvoice invoice;
    invoice.key = {"N1", "B1"};
    invoice.exchangedFrom = "N0";
    invoice.exchangedBy = {{"N2", "B2"}};
    invoice.lines.push_back({lineOf("N1", 12.5), 0});
    explanation.invoices.push_back(invoice);
    explanation.total = 1250;
    const auto list = listOf(explanation);

    ASSERT_EQ(list.lines.size(), 1u);
    EXPECT_EQ(list.headings.size(), list.lines.front().size());
    EXPECT_EQ(list.headings.at(static_cast<std::size_t>(list.totalColumn)), "计入金额");
    EXPECT_EQ(list.lines.front().back(), "N2/B2");
    const auto totalCells = list.totalCells();
    EXPECT_EQ(totalCells.at(static_cast<std::size_t>(list.totalColumn)), "12.50");
    EXPECT_EQ(totalCells.back(), "") << "the exchange columns stay empty on the total row";
}

TEST(ExplanationList, ColumnsWidenForTheirTextsAndTheLeadingTwoStayFrozen) {
    Explanation explanation;
    ExplainedLine line = lineOf("N1", 1);
    line.payer = std::string(200, 'x');
    explanation.addPart({line});
    const auto list = listOf(explanation);
    const HeadingLayout layout = explanationHeadings(list);

    ASSERT_EQ(layout.columnCount(), static_cast<int>(list.headings.size()) + 1);
    EXPECT_EQ(layout.frozenColumns, 2);
    EXPECT_EQ(layout.row0.front(), "序");
    const auto payer = static_cast<std::size_t>(std::find(list.headings.begin(), list.headings.end(), "付款人") -
                                                list.headings.begin() + 1);
    const auto issued = static_cast<std::size_t>(std::find(list.headings.begin(), list.headings.end(), "开票日期") -
                                                 list.headings.begin() + 1);
    EXPECT_GT(layout.widthsTwips.at(payer), layout.widthsTwips.at(issued));
    EXPECT_GE(layout.widthsTwips.at(issued), listTextTwips("开票日期"));
    EXPECT_EQ(layout.spans().size(), static_cast<std::size_t>(layout.columnCount()))
        << "each heading stands over both heading rows";
}

}  // namespace
}  // namespace tally::reports::explain
