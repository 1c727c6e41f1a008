// Whole statement texts: the fragments, their blanks and their order are what the server runs.
#include <gtest/gtest.h>

#include "VatInvoicingStatements.h"

using namespace tally::reports;
using namespace tally::reports::vat;

namespace {

const std::string kPeriod =
    " And (Convert(Char(8),开票日期,112) Between '20240301' And '20240331' Or (Convert(Char(8),收款日期,112) Between "
    "'20240301' And '20240331' And CONVERT(char(8),开票日期,112)<CONVERT(char(8),收款日期,112)))";

const std::string kDerivedBody =
    " From 票据开票数据 Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = "
    "票据.票据编号"
    " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号"
    " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号"
    " Where  (作废日期 Is Null Or 作废日期 Is Not Null)" +
    kPeriod;

const std::string kOuterHead =
    "Select 票据.票据编号 ,票据.入库单编号 , 票据类型.票据类型 ,开票日期, 收款日期, 作废日期, 票据.金额, 收款方式, "
    "付款人, 地址, "
    "票据.被换票票据编号 ";

const std::string kOuterFrom =
    " From 票据 inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号 inner join 票据类型 on "
    "票据入库单.票据类型编号 =票据类型.票据类型代号";

StatementInput oneOtherItem() {
    return {"01", "20240301", "20240331", "'P','Z'", {{"W1", "物业费", 0.06, "物业", "物业费税额"}}, {""}};
}

}  // namespace

TEST(VatInvoicingStatements, PeriodCondition) { EXPECT_EQ(periodCondition("20240301", "20240331"), kPeriod); }

TEST(VatInvoicingStatements, Extraction) {
    EXPECT_EQ(extractionStatement("0'1", "20240301", "20240331"),
              "Select distinct 收费项目代号, setupsfxm.税率,XM , 收费类别,显示名称 From 票据"
              " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
              "票据开票数据.入库单编号"
              " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号 inner join setupsfxm on 收费项目代号=dh"
              " Where  (作废日期 Is Null Or 作废日期 Is Not Null)" +
                  kPeriod +
                  " And 开票部门编号 ='0''1' group by  setupsfxm.税率,收费项目代号,xm,收费类别,显示名称 order by "
                  "收费项目代号");
}

TEST(VatInvoicingStatements, PerInvoiceWithOneItem) {
    const std::string conditions = " And 收费项目代号 in ('W1') And 开票部门编号 ='01' And 票据类型代号 In ('P','Z')";
    const std::string mainDerived =
        "Select SUM(票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)) as "
        "[物业费]"
        " ,SUM(票据开票数据.税额) as [物业费税额], 票据开票数据.票据编号, 票据开票数据.入库单编号" +
        kDerivedBody + conditions + " Group by 票据开票数据.票据编号, 票据开票数据.入库单编号";
    const std::string exchangeDerived =
        "Select SUM(票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 票据开票数据.金额 Else "
        "票据开票数据.金额 End))"
        " as [物业费] ,SUM(0) as [物业费税额], 票据开票数据.票据编号, 票据开票数据.入库单编号" +
        kDerivedBody + conditions +
        " And 被换票票据编号 is not null Group by 票据开票数据.票据编号, 票据开票数据.入库单编号";
    const std::string outerTail =
        " B1 On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号"
        " Where 票据.开票部门编号 ='01' And 票据类型代号 In ('P','Z') And (B1.[物业费] Is Not Null)" +
        kPeriod;
    const std::string expected = kOuterHead + " ,B1.[物业费] , B1.[物业费税额]" + kOuterFrom + " LEFT Join (" +
                                 mainDerived + ")" + outerTail + " And 被换票票据编号 is null Union All " + kOuterHead +
                                 " ,B1.[物业费] , B1.[物业费税额]" + kOuterFrom + " LEFT Join (" + exchangeDerived +
                                 ")" + outerTail + " And 被换票票据编号 is not null Order by 票据.开票日期,票据编号";
    EXPECT_EQ(perInvoiceStatement(oneOtherItem()), expected);
}

TEST(VatInvoicingStatements, PerInvoiceWithThreeItems) {
    StatementInput in{"01",
                      "20240301",
                      "20240331",
                      "'Z'",
                      {{"P1", "停车费", 0.09, "停车", "停车费税额"},
                       {"W1", "物业费", 0.06, "物业", "物业费税额"},
                       {"S'1", "水 费", 0.09, "水", "水 费税额"}},
                      {"0.3", "", ""}};
    std::string sql = perInvoiceStatement(in);
    const std::string selectList =
        " ,B1.[停车费KFS] ,B1.[停车费WY] , B1.[停车费税额] ,B2.[物业费] , B2.[物业费税额] ,B3.[水 费] , B3.[水 费税额]";
    const std::string parkingDerived =
        "Select SUM(票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)) * 0.3 "
        "as "
        "[停车费WY], SUM(票据开票数据.金额 - (Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End))  "
        "As "
        "[停车费KFS], SUM(票据开票数据.税额) as [停车费税额], 票据开票数据.票据编号, 票据开票数据.入库单编号" +
        kDerivedBody +
        " And 收费项目代号 in ('P1') And 开票部门编号 ='01' And 票据类型代号 In ('Z')"
        " Group by 票据开票数据.票据编号, 票据开票数据.入库单编号";
    const std::string presence =
        " And (B1.[停车费KFS] Is Not Null Or B2.[物业费] Is Not Null Or B3.[水 费] Is Not Null)";
    EXPECT_EQ(sql.substr(0, kOuterHead.size() + selectList.size() + kOuterFrom.size()),
              kOuterHead + selectList + kOuterFrom);
    EXPECT_NE(sql.find(" LEFT Join (" + parkingDerived +
                       ") B1 On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号"),
              std::string::npos);
    EXPECT_NE(sql.find(" And 收费项目代号 in ('S''1')"), std::string::npos);  // a quote in a code stays data
    EXPECT_NE(sql.find(presence + kPeriod + " And 被换票票据编号 is null Union All "), std::string::npos);
    EXPECT_EQ(
        sql.find(presence + kPeriod + " And 被换票票据编号 is not null Order by 票据.开票日期,票据编号"),
        sql.size() - (presence + kPeriod + " And 被换票票据编号 is not null Order by 票据.开票日期,票据编号").size());
}

TEST(VatInvoicingStatements, PerLineJoinsLinesByNumberAndBatch) {
    std::string sql = perLineStatement(oneOtherItem());
    EXPECT_EQ(sql,
              kOuterHead + " ,B1.[物业费] , B1.[物业费税额]" + kOuterFrom +
                  " LEFT Join (Select  票据开票数据.金额 - (Case When 票据开票数据.税额 Is Null Then 0 Else "
                  "票据开票数据.税额 End) as [物业费] , 票据开票数据.税额 as [物业费税额], 票据开票数据.票据编号 , "
                  "票据开票数据.入库单编号" +
                  kDerivedBody +
                  " And 收费项目代号 in ('W1') And 开票部门编号 ='01' And 票据类型代号 In ('P','Z')) B1 On "
                  "票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号 Where 票据.开票部门编号 ='01' And "
                  "票据类型代号 In ('P','Z') And (B1.[物业费] Is Not Null)" +
                  kPeriod + " Order by 票据.开票日期,票据编号");
}

TEST(VatInvoicingStatements, AnEmptyTypeListMatchesNothing) {
    auto in = oneOtherItem();
    in.invoiceTypeList = "";
    std::string sql = perInvoiceStatement(in);
    EXPECT_EQ(sql.find("In ()"), std::string::npos);
    EXPECT_NE(sql.find("票据类型代号 In (NULL)"), std::string::npos);
}
