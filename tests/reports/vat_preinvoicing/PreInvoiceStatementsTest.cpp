// The statement texts: where the period, the values and the item names go, and how the
// statements grow with the number of items. What they return is checked by the statistics tests.
#include <gtest/gtest.h>

#include "PreInvoiceStatements.h"
#include "SplitStatementParts.h"
#include "StatementText.h"

using namespace tally::reports;
using namespace tally::reports::preinvoice;
using namespace tally::testing;

namespace {

const FeeItemSplit kProperty{"W01", "物业管理费", 0.06, "物业", "物业管理费税额"};

const std::string kIssuedRange =
    "票据.开票日期 >= CONVERT(datetime,'2024-03-01',120) And 票据.开票日期 < CONVERT(datetime,'2024-04-01',120)";
const std::string kIssuedKey = "CONVERT(char(8),票据.开票日期,112) between '20240301' and '20240331'";

PreInvoiceStatementInput input(FeeItemList items) {
    std::vector<std::string> ratios;
    for (const auto& i : items) ratios.push_back(i.isParking() ? "0.3" : "");
    return {"01", "20240301", "20240331", "'01','02'", std::move(items), std::move(ratios)};
}

FeeItemList manyItems(std::size_t n) {
    FeeItemList items;
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string name = "项" + std::to_string(i);
        items.push_back({"F" + std::to_string(i), name, 0.06, i % 2 ? "物业" : "停车收费", name + "税额"});
    }
    return items;
}

}  // namespace

TEST(PreInvoiceStatements, TheIssuePeriodIsARangeWithItsDayKeyKept) {
    const auto in = input({kParking, kProperty});
    for (const std::string& sql : {preInvoiceExtractionStatement("01", "20240301", "20240331", "'01','02'"),
                                   preInvoiceItemSums(in), preInvoiceStatisticsStatement(in)}) {
        EXPECT_TRUE(containsNoCase(sql, " And " + kIssuedRange + " And " + kIssuedKey)) << sql;
        // collection is tested against the period's last day, never as a range
        EXPECT_TRUE(containsNoCase(sql, "convert(char(8),票据.收款日期,112) > '20240331'")) << sql;
        EXPECT_FALSE(containsNoCase(sql, "票据.收款日期 >=")) << sql;
        EXPECT_FALSE(containsNoCase(sql, "票据.收款日期 <")) << sql;
    }
}

TEST(PreInvoiceStatements, AKeyThatIsNoDateLeavesTheDayKeyTestAlone) {
    auto in = input({kProperty});
    in.toKey = "2024'0331";
    const std::string sql = preInvoiceStatisticsStatement(in);
    EXPECT_FALSE(containsNoCase(sql, "CONVERT(datetime")) << sql;
    EXPECT_TRUE(containsNoCase(sql, "CONVERT(char(8),票据.开票日期,112) between '20240301' and '2024''0331'"));
    EXPECT_TRUE(containsNoCase(sql, "> '2024''0331'"));
}

TEST(PreInvoiceStatements, StatisticsJoinAsManyTablesAndReadTheLinesOnceWhateverTheItems) {
    const std::string one = preInvoiceStatisticsStatement(input(manyItems(1)));
    const std::string five = preInvoiceStatisticsStatement(input(manyItems(5)));
    const std::string many = preInvoiceStatisticsStatement(input(manyItems(300)));
    EXPECT_EQ(occurrences(five, "Join"), occurrences(one, "Join"));
    EXPECT_EQ(occurrences(many, "Join"), occurrences(one, "Join"));
    for (const std::string& sql : {one, five, many}) {
        EXPECT_EQ(occurrences(sql, "Group by"), 1u);
        EXPECT_EQ(occurrences(sql, "From 票据开票数据"), 1u);
    }
    EXPECT_TRUE(containsNoCase(many, "In ('F300') Then"));
    EXPECT_TRUE(containsNoCase(many, "As [项300KFS]"));
    EXPECT_TRUE(containsNoCase(many, "As [项299]"));
}

TEST(PreInvoiceStatements, SumsAreGroupedAndJoinedByNumberAndBatch) {
    const auto in = input({kParking, kProperty});
    const std::string sums = preInvoiceItemSums(in);
    EXPECT_TRUE(sums.ends_with(" Group by 票据开票数据.票据编号, 票据开票数据.入库单编号")) << sums;
    EXPECT_TRUE(containsNoCase(sums, "Coalesce(票据开票数据.收费项目代号, Null) In ('P01','W01')"));
    EXPECT_TRUE(containsNoCase(preInvoiceStatisticsStatement(in),
                               " From (" + sums +
                                   ") L Inner Join 票据 On 票据.票据编号 = L.票据编号 And 票据.入库单编号 = "
                                   "L.入库单编号"));
}

TEST(PreInvoiceStatements, ItemNamesAreAliasesOfTheOuterSelectListOnly) {
    FeeItemSplit odd{"W'9", "服务]费 A", 0.06, "物业", "服务]费 A税额"};
    FeeItemSplit twin = kProperty;
    twin.code = "W02";
    const auto in = input({kProperty, twin, odd});
    const std::string sql = preInvoiceStatisticsStatement(in);
    EXPECT_TRUE(containsNoCase(sql, "As [服务]]费 A]")) << sql;
    EXPECT_TRUE(containsNoCase(sql, "As [服务]]费 A税额]"));
    EXPECT_FALSE(containsNoCase(sql, "[服务]费"));
    const std::string sums = preInvoiceItemSums(in);
    EXPECT_FALSE(containsNoCase(sums, "物业管理费")) << sums;
    EXPECT_FALSE(containsNoCase(sums, "服务")) << sums;
    EXPECT_FALSE(containsNoCase(sums, "[")) << sums;
}

TEST(PreInvoiceStatements, ValuesWithQuotesStayData) {
    FeeItemSplit odd{"W'9", "服务费", 0.06, "物业", "服务费税额"};
    auto in = input({odd});
    in.departmentCode = "0'1";
    for (const std::string& sql :
         {preInvoiceStatisticsStatement(in), preInvoiceExtractionStatement("0'1", "20240301", "20240331", "'01'")}) {
        EXPECT_TRUE(containsNoCase(sql, "票据.开票部门编号 ='0''1'")) << sql;
        EXPECT_FALSE(containsNoCase(sql, "='0'1'")) << sql;
    }
    EXPECT_TRUE(containsNoCase(preInvoiceStatisticsStatement(in), "收费项目代号, Null) In ('W''9')"));
}

TEST(PreInvoiceStatements, EmptyListsMatchNothing) {
    FeeItemSplit noCode{"", "服务费", 0.06, "物业", "服务费税额"};
    auto in = input({noCode});
    in.invoiceTypeList = "";
    for (const std::string& sql :
         {preInvoiceStatisticsStatement(in), preInvoiceExtractionStatement("01", "20240301", "20240331", "")}) {
        EXPECT_EQ(occurrences(sql, "In ()"), 0u) << sql;
        EXPECT_TRUE(containsNoCase(sql, "Coalesce(票据类型代号, Null) In (NULL)")) << sql;
    }
    EXPECT_TRUE(containsNoCase(preInvoiceItemSums(in), "收费项目代号 In (NULL) Then"));
    EXPECT_TRUE(containsNoCase(preInvoiceItemSums(in), "收费项目代号, Null) In (NULL) Group by"));
}
