#include <gtest/gtest.h>

#include "PreInvoiceHeadings.h"

using namespace tally::reports;
using namespace tally::reports::preinvoice;

using Texts = std::vector<std::string>;

TEST(PreInvoiceHeadings, WindowOpensWithSevenColumns) {
    HeadingLayout layout = SetupPreInvoiceGrid();
    EXPECT_EQ(layout.row0, (Texts{"序", "开票日期", "增值税发票", "增值税发票", "合计", "收款方式", "付款人"}));
    EXPECT_EQ(layout.row1, (Texts{"序", "开票日期", "专用发票", "普通发票", "合计", "收款方式", "付款人"}));
    EXPECT_EQ(layout.widthsTwips, (std::vector<int>{500, 1200, 1200, 1200, 1400, 900, 1200}));
    EXPECT_EQ(layout.frozenColumns, 4);
    EXPECT_EQ(layout.spans(), (std::vector<HeadingSpan>{
                                  {0, 0, 2, 1}, {0, 1, 2, 1}, {0, 2, 1, 2}, {0, 4, 2, 1}, {0, 5, 2, 1}, {0, 6, 2, 1}}));
}

TEST(PreInvoiceHeadings, ParkingItemThenOtherItem) {
    FeeItemList items{{"P01", "停车费", 0.09, "停车收费", "停车费税额"},
                      {"W01", "物业管理费", 0.06, "物业", "物业管理费税额"}};
    HeadingLayout layout = LayoutPreInvoiceHeadings(items, defaultSplitRows(items));
    EXPECT_EQ(layout.row0, (Texts{"序", "开票日期", "增值税发票", "增值税发票", "停车费", "停车费", "停车费",
                                  "物业管理费", "物业管理费", "合计", "收款方式", "付款人"}));
    EXPECT_EQ(layout.row1, (Texts{"序", "开票日期", "专用发票", "普通发票", "开发商70%", "物业30%", "税额9%", "金额",
                                  "税额6%", "合计", "收款方式", "付款人"}));
    EXPECT_EQ(layout.widthsTwips,
              (std::vector<int>{500, 1200, 1200, 1200, 1200, 1200, 1200, 1200, 1200, 1400, 900, 3800}));
    EXPECT_EQ(layout.spans(), (std::vector<HeadingSpan>{{0, 0, 2, 1},
                                                        {0, 1, 2, 1},
                                                        {0, 2, 1, 2},
                                                        {0, 4, 1, 3},
                                                        {0, 7, 1, 2},
                                                        {0, 9, 2, 1},
                                                        {0, 10, 2, 1},
                                                        {0, 11, 2, 1}}));
}

TEST(PreInvoiceHeadings, EditedSplitAndUnroundRatesShowAsTyped) {
    FeeItemList items{{"P01", "停车费", 0.13, "停车收费", "停车费税额"}};
    SplitRatioRows splits = defaultSplitRows(items);
    splits[0].developerText = "66.7";
    splits[0].propertyText = "33.3";
    HeadingLayout layout = LayoutPreInvoiceHeadings(items, splits);
    EXPECT_EQ(layout.row1[4], "开发商66.7%");
    EXPECT_EQ(layout.row1[5], "物业33.3%");
    EXPECT_EQ(layout.row1[6], "税额13%");
}
