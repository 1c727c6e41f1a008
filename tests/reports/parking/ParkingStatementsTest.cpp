#include <gtest/gtest.h>

#include "ParkingStatements.h"
#include "SplitStatementParts.h"

using namespace tally::reports;
using namespace tally::reports::parking;
using namespace tally::testing;

namespace {

const FeeItemSplit kTemporary{"P02", "临时停车费月租", 0.09, "临时停车", "临时停车费月租税额"};

// Item statement as written out by hand: quoted aliases, number and batch selected and grouped.
std::string itemStatement(const std::string& name, const std::string& code, const std::string& ratio) {
    return "Select sum((" + kNet + ") * " + ratio + ") as [" + name + "WY], sum(" + kNet + ") As [" + name +
           "KFS], sum(票据开票数据.税额) as [" + name +
           "税额], 票据开票数据.票据编号, 票据开票数据.入库单编号 From 票据开票数据 Inner Join 票据  on "
           "票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号 Inner Join 票据入库单 "
           "on "
           "票据开票数据.入库单编号 =票据入库单.入库单编号 Where 作废日期 Is Null  And Convert(Char(8),收款日期,112) "
           "Between '20240301' And '20240331' And 收费项目代号 in ('" +
           code + "') And 开票部门编号 ='01' group by 票据开票数据.票据编号, 票据开票数据.入库单编号 ";
}

}  // namespace

TEST(ParkingStatements, ExtractionMatchesTheInvoiceDateAndParkingCategories) {
    EXPECT_EQ(
        parkingExtractionStatement("01", "20240301", "20240331"),
        "Select distinct 收费项目代号, setupsfxm.税率,XM , 收费类别,显示名称 From 票据 inner join 票据开票数据 on "
        "票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = 票据开票数据.入库单编号 inner join 票据入库单 on "
        "票据.入库单编号 =票据入库单.入库单编号 inner join setupsfxm on 收费项目代号=dh where "
        "CONVERT(char(8),开票日期,112) between '20240301' and '20240331' and 作废日期 is null  And 开票部门编号 "
        "='01' And 收费类别 Like '%停车%' group by  setupsfxm.税率,收费项目代号,xm,收费类别,显示名称 order by "
        "收费项目代号");
}

TEST(ParkingStatements, OneItemWholeStatement) {
    ParkingStatementInput in{"01", "20240301", "20240331", {kParking}, {"0.3"}};
    EXPECT_EQ(parkingItemStatement(in, 0), itemStatement("停车费", "P01", "0.3"));
    EXPECT_EQ(
        parkingStatisticsStatement(in),
        "Select 票据.票据编号 ,票据.入库单编号 ,  收款日期, 票据.金额, 收款方式, 交易订单号  ,B1.[停车费KFS] "
        ",B1.[停车费WY] , B1.[停车费税额] From 票据 inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号 "
        "LEFT Join (" +
            itemStatement("停车费", "P01", "0.3") +
            ") B1 On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号 Where 票据.开票部门编号 ='01' And "
            "(B1.[停车费KFS] Is Not Null) Order by 收款日期, 票据.入库单编号, 票据.票据编号, 金额 ");
}

TEST(ParkingStatements, TwoItemsWholeStatement) {
    ParkingStatementInput in{"01", "20240301", "20240331", {kParking, kTemporary}, {"0.3", "0.333"}};
    EXPECT_EQ(
        parkingStatisticsStatement(in),
        "Select 票据.票据编号 ,票据.入库单编号 ,  收款日期, 票据.金额, 收款方式, 交易订单号  ,B1.[停车费KFS] "
        ",B1.[停车费WY] , B1.[停车费税额] ,B2.[临时停车费月租KFS] ,B2.[临时停车费月租WY] , B2.[临时停车费月租税额] "
        "From 票据 inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号 LEFT Join (" +
            itemStatement("停车费", "P01", "0.3") +
            ") B1 On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号 LEFT Join (" +
            itemStatement("临时停车费月租", "P02", "0.333") +
            ") B2 On 票据.票据编号 = B2.票据编号 And 票据.入库单编号 = B2.入库单编号 Where 票据.开票部门编号 ='01' "
            "And (B1.[停车费KFS] Is Not Null Or B2.[临时停车费月租KFS] Is Not Null) Order by 收款日期, "
            "票据.入库单编号, 票据.票据编号, 金额 ");
}

TEST(ParkingStatements, ValuesAndNamesCannotChangeTheStatement) {
    FeeItemSplit odd{"P'9", "车位]费", 0.09, "停车", "车位]费税额"};
    ParkingStatementInput in{"0'1", "2024'0301", "20240331", {odd}, {"0.3"}};
    const std::string q = parkingStatisticsStatement(in);
    EXPECT_NE(q.find("收费项目代号 in ('P''9')"), std::string::npos);
    EXPECT_NE(q.find("开票部门编号 ='0''1'"), std::string::npos);
    EXPECT_NE(q.find("Between '2024''0301'"), std::string::npos);
    EXPECT_NE(q.find("B1.[车位]]费KFS] Is Not Null"), std::string::npos);
    EXPECT_NE(parkingExtractionStatement("0'1", "20240301", "20240331").find("开票部门编号 ='0''1'"),
              std::string::npos);
}
