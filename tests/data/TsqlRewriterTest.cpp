#include <gtest/gtest.h>

#include "SqlTokens.h"
#include "TsqlRewriter.h"

using tally::data::rewriteTsqlForSqlite;

namespace {

std::vector<std::string> columnsOf(const std::string& table) {
    if (table == "票据") return {"票据编号", "入库单编号", "开票日期"};
    if (table == "setupsfxm") return {"dh", "xm", "税率"};
    if (table == "税控盘收费项目设置") return {"DH", "税率", "管理处"};
    if (table == "票据开票数据") return {"票据编号", "入库单编号", "收费项目代号"};
    return {};
}

std::string rewrite(const std::string& sql) { return rewriteTsqlForSqlite(sql, columnsOf); }

TEST(Tokenizer, JoiningTokensGivesTheTextBack) {
    std::string sql = "Select [a]]b], 'it''s', \"q\" -- c\n/* d */ From 票据 Where x>=1.5";
    EXPECT_EQ(tally::data::joinTokens(tally::data::tokenizeSql(sql)), sql);
}

TEST(TsqlRewriter, StatementsWithoutTheThreeCasesPassUnchanged) {
    std::string sql =
        "Select 职能部门编号, gyd_name From 设置管理处 Inner join 职能部门new on 对应部门代号=职能部门编号 "
        "Order by len(职能部门编号),职能部门编号";
    EXPECT_EQ(rewrite(sql), sql);
}

TEST(TsqlRewriter, BracketedNamesBecomeQuotedNames) {
    EXPECT_EQ(rewrite("Select 1 as [停车费 月租KFS], [a]]b], 'x[y]'"),
              "Select 1 as \"停车费 月租KFS\", \"a]b\", 'x[y]'");
    EXPECT_EQ(rewrite("Select 1 as [say \"hi\"]"), "Select 1 as \"say \"\"hi\"\"\"");
}

TEST(TsqlRewriter, CompoundIsWrappedAndOrderedByResultColumns) {
    EXPECT_EQ(
        rewrite(
            "Select 票据.票据编号 From 票据 Union All Select 票据.票据编号 From 票据 Order by 票据.开票日期,票据编号"),
        "SELECT * FROM (Select 票据.票据编号 From 票据 Union All Select 票据.票据编号 From 票据 ) "
        "Order by 开票日期,票据编号");
    // with no blank after BY the dropped qualifier leaves one, so BY stays a keyword
    EXPECT_EQ(rewrite("Select a From t Union All Select a From t Order by[t].a,[t].b"),
              "SELECT * FROM (Select a From t Union All Select a From t ) Order by a,b");
}

TEST(TsqlRewriter, UnqualifiedOrderByNameTakesTheOutputColumn) {
    EXPECT_EQ(rewrite("Select 票据.票据编号 ,B1.x From 票据 LEFT Join (Select 票据编号 From 票据开票数据) B1 On "
                      "票据.票据编号 = B1.票据编号 Order by 票据.开票日期,票据编号"),
              "Select 票据.票据编号 ,B1.x From 票据 LEFT Join (Select 票据编号 From 票据开票数据) B1 On "
              "票据.票据编号 = B1.票据编号 Order by 票据.开票日期,票据.票据编号");
    // an alias of the same name wins, as it does on the server
    std::string aliased = "Select 票据.票据编号, x as 票据编号 From 票据 Order by 票据编号";
    EXPECT_EQ(rewrite(aliased), aliased);
    // ORDER BY inside a derived table is left alone
    std::string inner = "Select * From (Select 票据.票据编号 From 票据 Order by 票据编号) T";
    EXPECT_EQ(rewrite(inner), inner);
}

TEST(TsqlRewriter, OnClauseNamesResolveAgainstTablesJoinedSoFar) {
    EXPECT_EQ(rewrite("Select 1 From 票据开票数据 inner join setupsfxm on 收费项目代号=dh "
                      "Inner Join 税控盘收费项目设置 ON setupsfxm.dh = 税控盘收费项目设置.DH"),
              "Select 1 From 票据开票数据 inner join setupsfxm on 票据开票数据.收费项目代号=setupsfxm.dh "
              "Inner Join 税控盘收费项目设置 ON setupsfxm.dh = 税控盘收费项目设置.DH");
    // aliases qualify; names in two tables joined so far stay as written (the server rejects them too)
    EXPECT_EQ(rewrite("Select 1 From 税控盘收费项目设置 A LEFT Join setupsfxm S On (税率=S.税率 Or dh Is Null)"),
              "Select 1 From 税控盘收费项目设置 A LEFT Join setupsfxm S On (税率=S.税率 Or dh Is Null)");
    EXPECT_EQ(rewrite("Select 1 From 票据 P inner join 票据开票数据 L on L.票据编号=P.票据编号 inner join setupsfxm "
                      "on 收费项目代号=xm"),
              "Select 1 From 票据 P inner join 票据开票数据 L on L.票据编号=P.票据编号 inner join setupsfxm "
              "on L.收费项目代号=setupsfxm.xm");
}

TEST(TsqlRewriter, DateTypesOfConvertBecomeTexts) {
    EXPECT_EQ(rewrite("Select 1 From 票据 Where 开票日期 >= CONVERT(datetime,'2024-03-05',120)"),
              "Select 1 From 票据 Where 开票日期 >= CONVERT('datetime','2024-03-05',120)");
    // any case, blanks and the other date types; the word keeps its spelling
    EXPECT_EQ(rewrite("Select convert( DateTime , '2024-03-05', 120), Convert(date,'2024-03-05',23), "
                      "CONVERT(smalldatetime,'2024-03-05',120), CONVERT(DATETIME2,'2024-03-05',120)"),
              "Select convert( 'DateTime' , '2024-03-05', 120), Convert('date','2024-03-05',23), "
              "CONVERT('smalldatetime','2024-03-05',120), CONVERT('DATETIME2','2024-03-05',120)");
}

TEST(TsqlRewriter, ColumnsNamedLikeADateTypeAreNeverTouched) {
    // a column called datetime or date, as the value converted, selected or compared
    std::string sql =
        "Select datetime, date, CONVERT(char(8),datetime,112), Convert(Char(6), date ,112) From t "
        "Where datetime >= 1 And dateadd(day, 1, date) > 0 And cast(datetime as text) <> ''";
    EXPECT_EQ(rewrite(sql), sql);
    EXPECT_EQ(rewrite("Select CONVERT(datetime,datetime,120) From t"),
              "Select CONVERT('datetime',datetime,120) From t");
    // not a date type, or not in CONVERT's type place, or inside a text
    std::string others = "Select CONVERT(varchar,datetime), CONVERT(char(8),x,112), 'CONVERT(datetime,' From t";
    EXPECT_EQ(rewrite(others), others);
    EXPECT_EQ(rewrite("Select myconvert(datetime,x), convert.datetime From t"),
              "Select myconvert(datetime,x), convert.datetime From t");
}

TEST(TsqlRewriter, ValuesThatLookLikeNamesAreNeverTouched) {
    std::string sql = "Select 1 From 票据开票数据 inner join setupsfxm on 收费项目代号='dh'";
    EXPECT_EQ(rewrite(sql), "Select 1 From 票据开票数据 inner join setupsfxm on 票据开票数据.收费项目代号='dh'");
}

}  // namespace
