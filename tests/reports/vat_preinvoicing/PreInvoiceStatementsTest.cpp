#include <gtest/gtest.h>

#include "PreInvoiceStatements.h"
#include "SplitStatementParts.h"

using namespace tally::reports;
using namespace tally::reports::preinvoice;
using namespace tally::testing;

namespace {

const FeeItemSplit kProperty{"W01", "物业管理费", 0.06, "物业", "物业管理费税额"};

// The part of an item statement after its select list, written out by hand for
// period S..E, department 01 and invoice types 01 and 02.
std::string itemBody(const std::string& code) {
    return ", 票据开票数据.票据编号, 票据开票数据.入库单编号 From 票据开票数据 Inner Join 票据  on "
           "票据开票数据.入库单编号  "
           "=票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号 Inner Join 票据入库单 on "
           "票据开票数据.入库单编号 "
           "=票据入库单.入库单编号 Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号 Where "
           "作废日期 Is "
           "Null And Convert(Char(8),开票日期,112) Between 'S' And 'E' And (convert(char(8),收款日期,112) > 'E' Or "
           "(收款日期 is null and 预开=1) Or 收款日期 is null) And 收费项目代号 in ('" +
           code +
           "') And 开票部门编号 ='01' And 票据类型代号 In ('01','02') Group by 票据开票数据.票据编号, "
           "票据开票数据.入库单编号";
}

const std::string kParkingItem = "Select SUM(" + kNet + ") * 0.3 as [停车费WY], SUM(" + kNet +
                                 ") As [停车费KFS], SUM(票据开票数据.税额) as [停车费税额]" + itemBody("P01");
const std::string kPropertyItem =
    "Select SUM(" + kNet + ") as [物业管理费] ,SUM(票据开票数据.税额) as [物业管理费税额]" + itemBody("W01");

const std::string kSelect =
    "Select 票据.票据编号 ,票据.入库单编号 , 票据类型.票据类型 ,开票日期, 收款日期, 作废日期, 票据.金额, 收款方式, "
    "付款人, 地址 ";
const std::string kFrom =
    " From 票据 inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号 inner join 票据类型 on "
    "票据入库单.票据类型编号 =票据类型.票据类型代号";

}  // namespace

TEST(PreInvoiceStatements, ExtractionKeepsInvoicesNotCollectedByThePeriodsEnd) {
    EXPECT_EQ(
        preInvoiceExtractionStatement("01", "S", "E", "'01','02'"),
        "Select distinct 收费项目代号, setupsfxm.税率,XM , 收费类别,显示名称 From 票据 inner join 票据开票数据 on "
        "票据.票据编号  = 票据开票数据.票据编号 And 票据.入库单编号 = 票据开票数据.入库单编号  inner join 票据入库单 "
        "on "
        "票据.入库单编号 = 票据入库单.入库单编号 inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号 "
        "inner join setupsfxm on 收费项目代号=dh where CONVERT(char(8),开票日期,112) between 'S' and 'E' And "
        "(convert(char(8),收款日期,112) > 'E' Or (收款日期 is null and 预开=1) Or 收款日期 Is Null) and 作废日期 is "
        "null  And 开票部门编号 ='01' And 票据类型代号 In ('01','02') group by  "
        "setupsfxm.税率,收费项目代号,xm,收费类别,显示名称 order by 收费项目代号");
}

TEST(PreInvoiceStatements, OneParkingItemWholeStatement) {
    PreInvoiceStatementInput in{"01", "S", "E", "'01','02'", {kParking}, {"0.3"}};
    EXPECT_EQ(preInvoiceItemStatement(in, 0), kParkingItem);
    EXPECT_EQ(
        preInvoiceStatisticsStatement(in),
        kSelect + " ,B1.[停车费KFS] ,B1.[停车费WY] , B1.[停车费税额]" + kFrom + " LEFT Join (" + kParkingItem +
            ") B1 On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号 Where 票据.开票部门编号 ='01' And "
            "(B1.[停车费KFS] Is Not Null) Order by 票据.开票日期,票据编号");
}

TEST(PreInvoiceStatements, ParkingAndOtherItemWholeStatement) {
    PreInvoiceStatementInput in{"01", "S", "E", "'01','02'", {kParking, kProperty}, {"0.3", ""}};
    EXPECT_EQ(preInvoiceItemStatement(in, 1), kPropertyItem);
    EXPECT_EQ(
        preInvoiceStatisticsStatement(in),
        kSelect + " ,B1.[停车费KFS] ,B1.[停车费WY] , B1.[停车费税额] ,B2.[物业管理费] , B2.[物业管理费税额]" + kFrom +
            " LEFT Join (" + kParkingItem +
            ") B1 On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号 LEFT Join (" + kPropertyItem +
            ") B2 On 票据.票据编号 = B2.票据编号 And 票据.入库单编号 = B2.入库单编号 Where 票据.开票部门编号 ='01' And "
            "(B1.[停车费KFS] Is Not Null Or B2.[物业管理费] Is Not Null) Order by 票据.开票日期,票据编号");
}

TEST(PreInvoiceStatements, ValuesAndNamesCannotChangeTheStatement) {
    FeeItemSplit odd{"W'9", "服务]费", 0.06, "物业", "服务]费税额"};
    PreInvoiceStatementInput in{"0'1", "2024'0301", "2024'0331", "", {odd}, {""}};
    const std::string q = preInvoiceStatisticsStatement(in);
    EXPECT_NE(q.find("收费项目代号 in ('W''9')"), std::string::npos);
    EXPECT_NE(q.find("开票部门编号 ='0''1'"), std::string::npos);
    EXPECT_NE(q.find("> '2024''0331'"), std::string::npos);
    EXPECT_NE(q.find("票据类型代号 In (NULL)"), std::string::npos);  // no listed type matches nothing
    EXPECT_NE(q.find("B1.[服务]]费] Is Not Null"), std::string::npos);
}
