// Whole statement texts, fragment by fragment as the report defines them.
#include <gtest/gtest.h>

#include "ReconciliationStatements.h"
#include "ReconciliationTestData.h"

using namespace tally::reports::reconciliation;
using tally::testing::contains;

namespace {

const InvoiceTypeLists kLists{"'01','02','03'", "'01'", "'02'", "'03'"};
const StatementScope kScope{"D1", "GL1", kLists};
const ReconciliationFeeItems kItems{{"'F1'", "物业费", 0.06}, {"'F3'", "水费", 0}};

const std::string kJoins =
    " From 票据开票数据"
    " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号"
    " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号"
    " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号"
    " Inner Join 税控盘收费项目设置 on 收费项目代号=dh";

const std::string kA1 =
    "Select SUM(票据开票数据.金额) as 专用发票, SUM(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 "
    "End) "
    "as 专发税额, 税控盘收费项目设置.税率" +
    kJoins +
    " Where CONVERT(char(6),开票日期,112) ='202403'"
    " And 收费项目代号 in ('F1','F3')"
    " And 作废日期 is null"
    " And 开票部门编号 ='D1'"
    " And 税控盘收费项目设置.管理处 ='GL1'"
    " And 票据类型代号 IN ('01')"
    " group by 税控盘收费项目设置.税率";

const std::string kA2 =
    "Select SUM(票据开票数据.金额) as 普通发票,  SUM(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 "
    "End) "
    "as 普发税额, 税控盘收费项目设置.税率" +
    kJoins +
    " Where CONVERT(char(6),开票日期,112) ='202403'"
    " And 收费项目代号 in ('F1','F3')"
    " And 作废日期 is null"
    " And 开票部门编号 ='D1'"
    " And 税控盘收费项目设置.管理处 ='GL1'"
    " And 票据类型代号 IN ('02')"
    " group by 税控盘收费项目设置.税率";

const std::string kA3 = "Select SUM(票据开票数据.金额) as 收据, 税控盘收费项目设置.税率 " + kJoins +
                        " Where CONVERT(char(6),开票日期,112) ='202403'"
                        " And 收费项目代号 in ('F1','F3')"
                        " And 作废日期 is null "
                        " And 开票部门编号 ='D1'"
                        " And 税控盘收费项目设置.管理处 ='GL1'"
                        " And 票据类型代号 IN ('03')"
                        " group by 税控盘收费项目设置.税率";

std::string handOver(const std::string& alias, const std::string& code) {
    return "Select SUM(票据开票数据.金额) as " + alias + ", 税控盘收费项目设置.税率" + kJoins +
           " Where ((CONVERT(char(6),开票日期,112) ='202403' And CONVERT(char(6),收款日期,112) ='202403')"
           " Or (CONVERT(char(6),收款日期 ,112) ='202403' And CONVERT(char(6),开票日期,112) < "
           "CONVERT(char(6),收款日期,112)))"
           " And 收费项目代号 in (" +
           code +
           ")"
           " And 作废日期 is null and 收款日期 is not null"
           " And 开票部门编号 ='D1'"
           " And 税控盘收费项目设置.管理处 ='GL1'"
           " And 票据类型代号 IN ('01','02','03')"
           " group by 税控盘收费项目设置.税率";
}

}  // namespace

TEST(ReconciliationStatements, MonthStatementForAPositiveRateItemAndARateZeroItem) {
    EXPECT_EQ(specialInvoiceStatement(kScope, "202403", "'F1','F3'"), kA1);
    EXPECT_EQ(ordinaryInvoiceStatement(kScope, "202403", "'F1','F3'"), kA2);
    EXPECT_EQ(receiptStatement(kScope, "202403", "'F1','F3'"), kA3);
    EXPECT_EQ(handOverStatement(kScope, "202403", kItems[0]), handOver("[物业费]", "'F1'"));

    const std::string expected =
        "Select Distinct CASE WHEN A.税率 IS NULL THEN 100 else A.税率 END AS S税率 ,"
        " A1.专用发票, A1.专发税额, A2.普通发票, A2.普发税额, CASE WHEN A.税率 IS not NULL THEN NULL ELSE A3.收据 End "
        "As S收据 "
        " ,B1.[物业费]"
        " , CASE WHEN (A.税率 IS not NULL And A.税率>0) THEN 0 ELSE B2.[水费] END AS [水费]"
        " From 税控盘收费项目设置 A"
        " LEFT Join (" +
        kA1 +
        ") A1 On A.税率=A1.税率"
        " LEFT Join (" +
        kA2 +
        ") A2 On A.税率=A2.税率"
        " LEFT Join (" +
        kA3 +
        ") A3 On (A.税率=A3.税率 Or A3.税率 Is Null)"
        " LEFT Join (" +
        handOver("[物业费]", "'F1'") +
        ") B1 On A.税率= B1.税率"
        " LEFT Join (" +
        handOver("[水费]", "'F3'") +
        ") B2 On (A.税率= B2.税率 Or B2.税率 Is Null)"
        " Where (A1.专用发票 Is Not Null Or A2.普通发票 Is Not Null Or A3.收据 Is Not Null)"
        " order by  S税率";
    EXPECT_EQ(monthStatement(kScope, "202403", kItems), expected);
}

TEST(ReconciliationStatements, TenthItemIsNamedB10) {
    ReconciliationFeeItems items(10, {"'F'", "项", 0.06});
    auto sql = monthStatement(kScope, "202403", items);
    EXPECT_TRUE(contains(sql, " ,B10.[项] From"));
    EXPECT_TRUE(contains(sql, ") B10 On A.税率= B10.税率 Where"));
}

TEST(ReconciliationStatements, ExtractionAndPreInvoicingStatements) {
    EXPECT_EQ(feeItemExtractionStatement(tally::testing::selectionFor("02", "05"), kLists),
              "Select distinct 收费项目代号, 税控盘收费项目设置.税率,XM , 收费类别,显示名称"
              " From 票据"
              " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
              "票据开票数据.入库单编号"
              " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号"
              " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号"
              " inner join setupsfxm on 收费项目代号=dh"
              " Inner Join 税控盘收费项目设置 ON setupsfxm.dh = 税控盘收费项目设置.DH "
              " where CONVERT(char(6),开票日期,112) between '202402' and '202405'"
              " and 作废日期 is null "
              " And 开票部门编号 ='D1'"
              " And 票据类型代号 In ('01','02','03')"
              " And 税控盘收费项目设置.管理处 ='GL1'"
              " group by  税控盘收费项目设置.税率,收费项目代号,xm,收费类别,显示名称"
              " order by 收费项目代号");

    const std::string plainJoins =
        " From 票据开票数据"
        " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号  =票据.票据编号"
        " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号"
        " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";
    EXPECT_EQ(collectedPreInvoicedStatement("D1", kLists.all, "202403", "'F1','F3'"),
              "Select SUM(票据开票数据.金额) 当月收预开" + plainJoins +
                  " Where CONVERT(char(6),收款日期 ,112) ='202403' And CONVERT(char(6),开票日期,112) < "
                  "CONVERT(char(6),收款日期,112)"
                  " And 作废日期 is null and 收款日期 is not null"
                  " And 收费项目代号 in ('F1','F3')"
                  " And 开票部门编号 ='D1'"
                  " And 票据类型代号 IN ('01','02','03')");
    EXPECT_EQ(uncollectedPreInvoicedStatement("D1", kLists.all, "202403", "'F1','F3'"),
              "Select SUM(票据开票数据.金额) 当月未收预开票" + plainJoins +
                  " Where CONVERT(char(6),开票日期 ,112) ='202403' And (收款日期 Is Null Or "
                  "CONVERT(char(6),收款日期,112) > CONVERT(char(6),开票日期,112))"
                  " And 作废日期 is null"
                  " And 收费项目代号 in ('F1','F3')"
                  " And 开票部门编号 ='D1'"
                  " And 票据类型代号 IN ('01','02','03')");
}

TEST(ReconciliationStatements, EmptyTypeListsMatchNothing) {
    StatementScope scope{"D1", "GL1", {"", "", "", ""}};
    EXPECT_TRUE(contains(receiptStatement(scope, "202403", "'F1'"), " And 票据类型代号 IN (NULL) group by"));
    auto month = monthStatement(scope, "202403", kItems);
    EXPECT_FALSE(contains(month, "IN ()"));
    EXPECT_TRUE(contains(feeItemExtractionStatement(tally::testing::selectionFor("03", "03"), scope.typeLists),
                         " And 票据类型代号 In (NULL)"));
    EXPECT_TRUE(contains(collectedPreInvoicedStatement("D1", "", "202403", ""), "收费项目代号 in (NULL)"));
}

TEST(ReconciliationStatements, ValuesAndNamesCannotEscapeTheirPlaces) {
    StatementScope scope{"D'1", "G'L", kLists};
    ReconciliationFeeItem item{"'F''1'", "费]用 A-1", 0};
    auto sql = handOverStatement(scope, "2024'3", item);
    EXPECT_TRUE(contains(sql, "as [费]]用 A-1], "));
    EXPECT_TRUE(contains(sql, "='2024''3'"));
    EXPECT_TRUE(contains(sql, "开票部门编号 ='D''1'"));
    EXPECT_TRUE(contains(sql, "管理处 ='G''L'"));
    EXPECT_TRUE(contains(sql, "in ('F''1')"));
    EXPECT_TRUE(contains(monthStatement(scope, "202403", {item}), "ELSE B1.[费]]用 A-1] END AS [费]]用 A-1]"));
}
