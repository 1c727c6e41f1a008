#include <gtest/gtest.h>

#include "VatInvoicingHeadings.h"

using namespace tally::reports;

TEST(VatInvoicingHeadings, NineColumnsBeforeExtraction) {
    auto h = vat::LayoutResultHeadings({}, {});
    EXPECT_EQ(h.columnCount(), 9);
    EXPECT_EQ(h.frozenColumns, 6);
    EXPECT_EQ(h.widthsTwips, (std::vector<int>{500, 1200, 1200, 1200, 1200, 2000, 1400, 900, 1200}));
    EXPECT_EQ(h.spans(),
              (std::vector<HeadingSpan>{
                  {0, 0, 2, 1}, {0, 1, 2, 1}, {0, 2, 1, 3}, {0, 5, 2, 1}, {0, 6, 2, 1}, {0, 7, 2, 1}, {0, 8, 2, 1}}));
}

TEST(VatInvoicingHeadings, ParkingAndOtherItemsWithTheirTaxRates) {
    FeeItemList items{{"P1", "停车费", 0.09, "停车", "停车费税额"}, {"W1", "物业费", 0.065, "物业", "物业费税额"}};
    auto splits = defaultSplitRows(items);
    splits[0].developerText = "60";  // typed after the extraction: the extraction's layout still showed 70
    auto h = vat::LayoutResultHeadings(items, splits);
    ASSERT_EQ(h.columnCount(), 5 + 9);
    EXPECT_EQ(
        std::vector<std::string>(h.row1.begin() + 6, h.row1.end()),
        (std::vector<std::string>{"开发商60%", "物业30%", "税额9%", "金额", "税额6.5%", "合计", "收款方式", "付款人"}));
    EXPECT_EQ(h.row0[6], "停车费");
    EXPECT_EQ(h.widthsTwips.back(), 3800);
    auto spans = h.spans();
    EXPECT_NE(std::find(spans.begin(), spans.end(), HeadingSpan{0, 6, 1, 3}), spans.end());
    EXPECT_NE(std::find(spans.begin(), spans.end(), HeadingSpan{0, 9, 1, 2}), spans.end());
}
