// The statement texts: where the period, the values and the item names go, and how the
// statements grow with the number of items. What they return is checked by the statistics tests.
#include <gtest/gtest.h>

#include "ParkingStatements.h"
#include "SplitStatementParts.h"
#include "StatementText.h"

using namespace tally::reports;
using namespace tally::reports::parking;
using namespace tally::testing;

namespace {

const FeeItemSplit kTemporary{"P02", "临时停车费月租", 0.09, "临时停车", "临时停车费月租税额"};

ParkingStatementInput input(FeeItemList items) {
    std::vector<std::string> ratios(items.size(), "0.3");
    return {"01", "20240301", "20240331", std::move(items), std::move(ratios)};
}

FeeItemList manyItems(std::size_t n) {
    FeeItemList items;
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string name = "车位" + std::to_string(i);
        items.push_back({"P" + std::to_string(i), name, 0.09, "停车收费", name + "税额"});
    }
    return items;
}

std::string rangeOn(const std::string& column) {
    return column + " >= CONVERT(datetime,'2024-03-01',120) And " + column + " < CONVERT(datetime,'2024-04-01',120)";
}

}  // namespace

TEST(ParkingStatements, ExtractionSeeksTheInvoiceDateAndKeepsItsDayKey) {
    const std::string sql = parkingExtractionStatement("01", "20240301", "20240331");
    EXPECT_TRUE(containsNoCase(sql, " And " + rangeOn("票据.开票日期") +
                                        " And CONVERT(char(8),票据.开票日期,112) between '20240301' and '20240331'"))
        << sql;
    EXPECT_FALSE(containsNoCase(sql, "收款日期")) << sql;
    EXPECT_TRUE(containsNoCase(sql, "票据.开票部门编号 ='01'"));
    EXPECT_TRUE(containsNoCase(sql, "收费类别 Like '%停车%'"));
}

TEST(ParkingStatements, StatisticsSeekTheCollectionDateAndKeepItsDayKey) {
    const std::string sql = parkingStatisticsStatement(input({kParking}));
    EXPECT_TRUE(containsNoCase(sql, " And " + rangeOn("票据.收款日期") +
                                        " And Convert(Char(8),票据.收款日期,112) Between '20240301' And '20240331'"))
        << sql;
    EXPECT_FALSE(containsNoCase(sql, "票据.开票日期 >=")) << sql;
    // the period selects lines inside the aggregate
    EXPECT_TRUE(containsNoCase(parkingItemSums(input({kParking})), rangeOn("票据.收款日期")));
}

TEST(ParkingStatements, AKeyThatIsNoDateLeavesTheDayKeyTestAlone) {
    auto in = input({kParking});
    in.fromKey = "2024'0301";
    const std::string sql = parkingStatisticsStatement(in);
    EXPECT_FALSE(containsNoCase(sql, "CONVERT(datetime")) << sql;
    EXPECT_TRUE(containsNoCase(sql, "Convert(Char(8),票据.收款日期,112) Between '2024''0301' And '20240331'"));
    EXPECT_FALSE(containsNoCase(parkingExtractionStatement("01", "20240301", "2024033"), "CONVERT(datetime"));
}

TEST(ParkingStatements, StatisticsJoinAsManyTablesAndReadTheLinesOnceWhateverTheItems) {
    const std::string one = parkingStatisticsStatement(input(manyItems(1)));
    const std::string five = parkingStatisticsStatement(input(manyItems(5)));
    const std::string many = parkingStatisticsStatement(input(manyItems(300)));
    EXPECT_EQ(occurrences(five, "Join"), occurrences(one, "Join"));
    EXPECT_EQ(occurrences(many, "Join"), occurrences(one, "Join"));
    for (const std::string& sql : {one, five, many}) {
        EXPECT_EQ(occurrences(sql, "Group by"), 1u);
        EXPECT_EQ(occurrences(sql, "From 票据开票数据"), 1u);
    }
    EXPECT_TRUE(containsNoCase(many, "In ('P300') Then"));
    EXPECT_TRUE(containsNoCase(many, "As [车位300KFS]"));
}

TEST(ParkingStatements, SumsAreGroupedAndJoinedByNumberAndBatch) {
    const auto in = input({kParking, kTemporary});
    const std::string sums = parkingItemSums(in);
    EXPECT_TRUE(sums.ends_with(" group by 票据开票数据.票据编号, 票据开票数据.入库单编号")) << sums;
    EXPECT_TRUE(containsNoCase(sums, "Coalesce(票据开票数据.收费项目代号, Null) In ('P01','P02')"));
    const std::string sql = parkingStatisticsStatement(in);
    EXPECT_TRUE(containsNoCase(sql, " From (" + sums +
                                        ") L Inner Join 票据 On 票据.票据编号 = L.票据编号 And 票据.入库单编号 = "
                                        "L.入库单编号"))
        << sql;
}

TEST(ParkingStatements, ItemNamesAreAliasesOfTheOuterSelectListOnly) {
    FeeItemSplit odd{"P'9", "车位]费 月租", 0.09, "停车", "车位]费 月租税额"};
    FeeItemSplit twin = kParking;
    twin.code = "P03";
    const auto in = input({kParking, twin, odd});
    const std::string sql = parkingStatisticsStatement(in);
    EXPECT_TRUE(containsNoCase(sql, "[车位]]费 月租KFS]")) << sql;
    EXPECT_TRUE(containsNoCase(sql, "[车位]]费 月租WY]"));
    EXPECT_TRUE(containsNoCase(sql, "[车位]]费 月租税额]"));
    EXPECT_FALSE(containsNoCase(sql, "[车位]费"));
    const std::string sums = parkingItemSums(in);
    EXPECT_FALSE(containsNoCase(sums, "停车费")) << sums;
    EXPECT_FALSE(containsNoCase(sums, "车位")) << sums;
    EXPECT_FALSE(containsNoCase(sums, "[")) << sums;
}

TEST(ParkingStatements, ValuesWithQuotesStayData) {
    FeeItemSplit odd{"P'9", "车位费", 0.09, "停车", "车位费税额"};
    auto in = input({odd});
    in.departmentCode = "0'1";
    for (const std::string& sql :
         {parkingStatisticsStatement(in), parkingExtractionStatement("0'1", "20240301", "20240331")}) {
        EXPECT_TRUE(containsNoCase(sql, "票据.开票部门编号 ='0''1'")) << sql;
        EXPECT_FALSE(containsNoCase(sql, "='0'1'")) << sql;
    }
    EXPECT_TRUE(containsNoCase(parkingStatisticsStatement(in), "收费项目代号, Null) In ('P''9')"));
}

TEST(ParkingStatements, AnItemWithoutACodeMatchesNothing) {
    FeeItemSplit noCode{"", "车位费", 0.09, "停车", "车位费税额"};
    const std::string sql = parkingStatisticsStatement(input({noCode}));
    EXPECT_EQ(occurrences(sql, "In ()"), 0u) << sql;
    EXPECT_TRUE(containsNoCase(sql, "收费项目代号 In (NULL) Then"));
    EXPECT_TRUE(containsNoCase(sql, "收费项目代号, Null) In (NULL) group by"));
}
