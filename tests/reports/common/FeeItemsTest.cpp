#include <gtest/gtest.h>

#include "FeeItems.h"

using namespace tally::reports;

TEST(FeeItems, NamesLoseBracketsAndPercentSigns) {
    EXPECT_EQ(cleanFeeItemName("停车费(月租)"), "停车费月租");
    EXPECT_EQ(cleanFeeItemName("车位管理费（含税）%"), "车位管理费含税");
    EXPECT_EQ(cleanFeeItemName(""), "");
}

TEST(FeeItems, QuotedCodeDoublesQuotes) {
    FeeItemSplit item{"P'1", "x", 0, "停车", "x税额"};
    EXPECT_EQ(item.quotedCode(), "'P''1'");
    EXPECT_TRUE(item.isParking());
    EXPECT_EQ(item.valueColumnCount(), 3);
}

TEST(FeeItems, NewExtractionGivesParkingRowsAt70And30) {
    FeeItemList items{{"W1", "物业费", 0.06, "物业", "物业费税额"},
                      {"P1", "停车费月租", 0.09, "停车收费", "停车费月租税额"},
                      {"P2", "临时停车", 0.09, "临时停车", "临时停车税额"}};
    auto rows = defaultSplitRows(items);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "停车费月租");
    EXPECT_EQ(rows[0].developerText, "70");
    EXPECT_EQ(rows[0].propertyText, "30");
    EXPECT_EQ(rows[1].code, "P2");
    EXPECT_EQ(findSplitRow(rows, "P2"), &rows[1]);
    EXPECT_EQ(findSplitRow(rows, "W1"), nullptr);
    EXPECT_EQ(valueColumnCount(items), 8);
}

TEST(FeeItems, PropertyPercentageNeverReachesTheSqlUnlessItIsAPercentage) {
    EXPECT_EQ(propertyRatioText("30"), "0.3");
    EXPECT_EQ(propertyRatioText("33.3"), "0.333");
    EXPECT_EQ(propertyRatioText("30%"), "0.3");
    EXPECT_EQ(propertyRatioText("0"), "0");
    EXPECT_EQ(propertyRatioText("100"), "1");
    EXPECT_EQ(propertyRatioText("101"), std::nullopt);
    EXPECT_EQ(propertyRatioText("-5"), std::nullopt);
    EXPECT_EQ(propertyRatioText("3) as x --"), std::nullopt);
    EXPECT_EQ(propertyRatioText(""), std::nullopt);
    EXPECT_EQ(propertyRatioText("abc"), std::nullopt);
}

TEST(FeeItems, TheEditorCheckAddsLeadingNumbers) {
    EXPECT_TRUE(splitAddsUpTo100("70", "30%"));
    EXPECT_TRUE(splitAddsUpTo100("66.7", "33.3"));
    EXPECT_FALSE(splitAddsUpTo100("60", "30"));
    EXPECT_TRUE(splitAddsUpTo100("abc", "100x"));  // a text without a number counts 0
}

TEST(FeeItems, ARunUsesThePercentagesAsThePlainNumbersTheyStandFor) {
    SplitRatioRows typed{{"停车费月租", "70%", " 30.50 ", "P1"}, {"临时停车", "0", "100", "P2"}};
    auto used = splitsForRun(typed);
    ASSERT_TRUE(used.ok()) << used.error().messageText();
    EXPECT_EQ(used.value()[0].developerText, "70");
    EXPECT_EQ(used.value()[0].propertyText, "30.5");
    EXPECT_EQ(used.value()[1].developerText, "0");
    EXPECT_EQ(used.value()[1].propertyText, "100");
    EXPECT_EQ(used.value()[1].code, "P2");
}

TEST(FeeItems, ARunRefusesAPercentageThatIsNotANumberFrom0To100) {
    struct Case {
        const char* developer;
        const char* property;
        const char* named;  // the party and the text the message must name
    };
    for (const Case& c : {Case{"100", "abc", "物业公司分成比例\"abc\""}, Case{"abc", "100", "开发商分成比例\"abc\""},
                          Case{"70", "30%%", "物业公司分成比例\"30%%\""}, Case{"-1", "101", "开发商分成比例\"-1\""},
                          Case{"70", "", "物业公司分成比例\"\""}}) {
        auto used = splitsForRun({{"停车费月租", "60", "40", "P0"}, {"临时停车", c.developer, c.property, "P1"}});
        ASSERT_FALSE(used.ok()) << c.developer << "/" << c.property;
        EXPECT_TRUE(used.error().refusedSelection);
        const std::string text = used.error().messageText();
        EXPECT_NE(text.find("【临时停车】"), std::string::npos) << text;
        EXPECT_NE(text.find(c.named), std::string::npos) << text;
    }
    EXPECT_EQ(plainPercentage("30%"), 30.0);
    EXPECT_EQ(plainPercentage("3 0"), std::nullopt);
}
