// Every construct the report statements use must mean the same on the embedded engine
// and through ODBC as on SQL Server.
#include <gtest/gtest.h>

#include "DbError.h"
#include "OdbcConnection.h"
#include "Platform.h"
#include "SqliteConnection.h"
#include "TestDatabase.h"

using tally::data::Connection;
using tally::data::DbError;
using tally::testing::TestDatabase;

namespace {

std::unique_ptr<Connection> openEngine(const std::string& engine, const TestDatabase& db) {
    if (engine == "sqlite") return db.connect();
    return std::make_unique<tally::data::OdbcConnection>(std::string("DRIVER=") + SQLITE_ODBC_DRIVER +
                                                         ";Database=" + tally::testing::hostPath(db.path()) +
                                                         ";LoadExt=" + TSQL_EXTENSION);
}

// All rows of a statement, each row's fields as texts joined by "|" ("NULL" for Null).
std::vector<std::string> rowsOf(Connection& c, const std::string& sql) {
    std::vector<std::string> rows;
    for (auto rs = c.open(sql); !rs->eof(); rs->moveNext()) {
        std::string row;
        for (int i = 0; i < rs->fieldCount(); ++i) {
            if (i) row += "|";
            row += rs->field(i).isNull() ? "NULL" : rs->field(i).text();
        }
        rows.push_back(row);
    }
    return rows;
}

class EngineConformance : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db.exec(R"(
            INSERT INTO 票据类型 VALUES ('01','增值税专用发票',0), ('02','增值税普通发票',0), ('09','定额发票',1);
            INSERT INTO 票据入库单 VALUES ('RK1','01'), ('RK2','02');
            INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,作废日期,金额,收款方式,付款人,预开)
              VALUES ('0001','RK1','01','2024-03-05 10:20:30','2024-04-01 08:00:00',NULL,100,'现金','张三',0),
                     ('0001','RK2','01','2024-03-31','2024-03-31',NULL,50,'微信','李四',0),
                     ('0002','RK1','01','2024-04-02 00:00:00',NULL,NULL,-20,NULL,'王五',1);
            INSERT INTO 票据开票数据 VALUES ('0001','RK1','P1',60,NULL), ('0001','RK1','W1',40,2.26),
                                            ('0001','RK2','W1',50,2.83), ('0002','RK1','W1',-20,-1.13);
            INSERT INTO setupsfxm VALUES ('P1','停车费(月租)',0.09,'停车收费','停车'), ('W1','物业管理费',0.06,'物业','物业');
            INSERT INTO 税控盘收费项目设置 VALUES ('P1',0.09,'GL01'), ('W1',NULL,'GL01');
            INSERT INTO 设置管理处 VALUES ('GL01','一号'||char(13)||char(10)||'管理处','01');
            INSERT INTO 职能部门new VALUES ('01','物业一部',NULL), ('101','已撤销部',  '2020-01-01'), ('2','二部',NULL);
        )");
        connection = openEngine(GetParam(), db);
    }

    TestDatabase db;
    std::unique_ptr<Connection> connection;
};

TEST_P(EngineConformance, ConvertGivesDayAndMonthKeys) {
    EXPECT_EQ(rowsOf(*connection,
                     "Select CONVERT(char(8),开票日期,112), Convert(Char(6),开票日期,112) From 票据 "
                     "Where 票据编号='0002'"),
              std::vector<std::string>{"20240402|202404"});
    // Null dates stay Null; text keys compare as the server compares them
    EXPECT_EQ(rowsOf(*connection,
                     "Select count(*) From 票据 Where CONVERT(char(8),开票日期,112) between '20240301' "
                     "and '20240331' And convert(char(8),收款日期,112) > '20240331'"),
              std::vector<std::string>{"1"});
    EXPECT_EQ(rowsOf(*connection, "Select CONVERT(char(8),收款日期,112) From 票据 Where 票据编号='0002'"),
              std::vector<std::string>{"NULL"});
}

TEST_P(EngineConformance, ConvertToDatetimeComparesWithStoredDatesAsTheServerDoes) {
    // stored with and without a time; the server compares datetimes, the embedded engine texts
    EXPECT_EQ(rowsOf(*connection,
                     "Select 票据编号, 入库单编号 From 票据 Where 开票日期 >= CONVERT(datetime,'2024-03-05',120) "
                     "And 开票日期 < CONVERT(datetime,'2024-04-01',120) Order by 入库单编号"),
              (std::vector<std::string>{"0001|RK1", "0001|RK2"}));
    EXPECT_EQ(rowsOf(*connection,
                     "Select 入库单编号 From 票据 Where 开票日期 > Convert(DateTime,'2024-03-05',120) "
                     "And 开票日期 <= CONVERT(datetime,'2024-03-31',120) Order by 入库单编号"),
              (std::vector<std::string>{"RK1", "RK2"}));
    // a time after midnight is later than the day itself
    EXPECT_EQ(rowsOf(*connection, "Select count(*) From 票据 Where 开票日期 <= CONVERT(datetime,'2024-03-05',120)"),
              std::vector<std::string>{"0"});
    EXPECT_EQ(rowsOf(*connection, "Select 入库单编号 From 票据 Where 收款日期 = convert(date,'2024-03-31',120)"),
              std::vector<std::string>{"RK2"});
    // a Null date is in no range
    EXPECT_EQ(rowsOf(*connection,
                     "Select count(*) From 票据 Where 收款日期 >= CONVERT(datetime,'1753-01-01',120) "
                     "Or 收款日期 < CONVERT(datetime,'1753-01-01',120)"),
              std::vector<std::string>{"2"});
    auto rs = connection->open("Select CONVERT(datetime,'2024-03-05',120)");
    auto date = rs->field(0).date();
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->isoDate(), "2024-03-05");
}

TEST_P(EngineConformance, ConvertCutsToItsLengthAndRefusesATextThatIsNoDate) {
    EXPECT_EQ(rowsOf(*connection,
                     "Select Convert(Char(4),'2024-04-02 10:11:12',112), "
                     "CONVERT(char(10),'2024-04-02 10:11:12',120), Convert(Char(3),'abcdef')"),
              std::vector<std::string>{"2024|2024-04-02|abc"});
    EXPECT_THROW(rowsOf(*connection, "Select CONVERT(char(8),'2024/04/02',112)"), DbError);
    EXPECT_THROW(rowsOf(*connection, "Select CONVERT(char(8),'2024-04',112)"), DbError);
    // a cut never ends inside a character: char(4) of three 3-byte characters keeps one
    EXPECT_EQ(rowsOf(*connection,
                     "Select Convert(Char(4),'管理处'), Convert(Char(6),'管理处',23), "
                     "Convert(Char(2),'管理处')"),
              std::vector<std::string>{"管|管理|"});
}

TEST_P(EngineConformance, LenIgnoresTrailingBlanksAndCountsCharacters) {
    EXPECT_EQ(rowsOf(*connection, "Select len('ab  '), len('管理处'), len(NULL)"),
              std::vector<std::string>{"2|3|NULL"});
    // a NUL character is a character like any other (SQLite's length() would stop there)
    EXPECT_EQ(rowsOf(*connection, "Select len('a'||char(0)||'b  '), len(cast(x'6100' as text)), len(x'20')"),
              std::vector<std::string>{"3|2|0"});
    EXPECT_EQ(rowsOf(*connection, "Select 职能部门编号 From 职能部门new Order by len(职能部门编号),职能部门编号"),
              (std::vector<std::string>{"2", "01", "101"}));
}

TEST_P(EngineConformance, LikeAndNullTestsAndInLists) {
    EXPECT_EQ(rowsOf(*connection, "Select dh From setupsfxm Where 收费类别 Like '%停车%'"),
              std::vector<std::string>{"P1"});
    EXPECT_EQ(rowsOf(*connection,
                     "Select 票据编号 From 票据 Where 收款日期 Is Null And 收款方式 IS NULL "
                     "And 入库单编号 in ('RK1','RK3')"),
              std::vector<std::string>{"0002"});
}

TEST_P(EngineConformance, SumAndCaseTreatNullAsTheServerDoes) {
    auto rs = connection->open(
        "Select SUM(票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)), "
        "SUM(票据开票数据.税额) From 票据开票数据 Where 入库单编号='RK1' And 票据编号='0001'");
    EXPECT_NEAR(rs->field(0).number(), 97.74, 1e-9);
    EXPECT_NEAR(rs->field(1).number(), 2.26, 1e-9);
    // SUM over only Nulls is Null
    EXPECT_EQ(rowsOf(*connection, "Select SUM(税额) From 票据开票数据 Where 收费项目代号='P1'"),
              std::vector<std::string>{"NULL"});
}

TEST_P(EngineConformance, DerivedTablesWithAliasesAndBracketedNames) {
    EXPECT_EQ(
        rowsOf(*connection,
               "Select 票据.票据编号, B1.[停车费 月租KFS] From 票据 LEFT Join (Select SUM(金额) as [停车费 月租KFS], "
               "票据编号, 入库单编号 From 票据开票数据 Where 收费项目代号 in ('P1') Group by 票据编号, 入库单编号) B1 "
               "On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号 Order by 票据.入库单编号, "
               "票据.票据编号"),
        (std::vector<std::string>{"0001|60", "0002|NULL", "0001|NULL"}));
    EXPECT_EQ(rowsOf(*connection, "Select 1 as [a]]b]"), std::vector<std::string>{"1"});
}

TEST_P(EngineConformance, CompoundOrderByNamesColumnsOfTheFirstPart) {
    auto rows = rowsOf(*connection,
                       "Select 票据.票据编号 ,票据.入库单编号 ,开票日期 From 票据 Where 金额 > 60 Union All "
                       "Select 票据.票据编号 ,票据.入库单编号 ,开票日期 From 票据 Where 金额 <= 60 "
                       "Order by 票据.开票日期,票据编号");
    EXPECT_EQ(rows, (std::vector<std::string>{"0001|RK1|2024-03-05 10:20:30", "0001|RK2|2024-03-31",
                                              "0002|RK1|2024-04-02 00:00:00"}));
}

TEST_P(EngineConformance, OrderByOutputColumnAlsoInDerivedTable) {
    auto rs = connection->open(
        "Select 票据.票据编号 ,票据.入库单编号 From 票据 LEFT Join (Select 票据编号, 入库单编号 From 票据开票数据 "
        "Group by 票据编号, 入库单编号) B1 On 票据.票据编号 = B1.票据编号 And 票据.入库单编号 = B1.入库单编号 "
        "Order by 票据.开票日期,票据编号");
    ASSERT_FALSE(rs->eof());
    EXPECT_EQ(rs->fieldName(0), "票据编号");
    EXPECT_EQ(rs->field("入库单编号").text(), "RK1");
}

TEST_P(EngineConformance, OnClauseSeesOnlyTablesJoinedSoFar) {
    // dh exists in setupsfxm and, as DH, in the table joined after it
    auto rows = rowsOf(*connection,
                       "Select distinct 收费项目代号, 税控盘收费项目设置.税率,XM From 票据开票数据"
                       " inner join setupsfxm on 收费项目代号=dh"
                       " Inner Join 税控盘收费项目设置 ON setupsfxm.dh = 税控盘收费项目设置.DH "
                       " order by 收费项目代号");
    EXPECT_EQ(rows, (std::vector<std::string>{"P1|0.09|停车费(月租)", "W1|NULL|物业管理费"}));
}

TEST_P(EngineConformance, ChineseIdentifiersAndColumnNamesByPosition) {
    auto rs = connection->open(
        "Select 职能部门编号,职能部门名称, gyd_dh, gyd_name  From 设置管理处 "
        " Inner join 职能部门new on 对应部门代号=职能部门编号 Where 职能部门new.终止日期 Is Null ");
    ASSERT_FALSE(rs->eof());
    EXPECT_EQ(rs->fieldName(3), "gyd_name");
    EXPECT_EQ(rs->field("GYD_DH").text(), "GL01");
    EXPECT_EQ(rs->field(3).text(), "一号\r\n管理处");
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->field(0), DbError);
}

TEST_P(EngineConformance, DatesAndNumbersReadBack) {
    auto rs = connection->open("Select 开票日期, 金额 From 票据 Where 票据编号='0002'");
    auto date = rs->field(0).date();
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->isoDate(), "2024-04-02");
    EXPECT_DOUBLE_EQ(rs->field(1).number(), -20.0);
}

TEST_P(EngineConformance, WritesAreRejected) {
    EXPECT_THROW(connection->open("DELETE FROM 票据"), DbError);
    EXPECT_THROW(connection->open("INSERT INTO 收款方式列表 VALUES ('x')"), DbError);
    EXPECT_EQ(rowsOf(*connection, "Select count(*) From 票据"), std::vector<std::string>{"3"});
}

TEST_P(EngineConformance, ServerErrorsCarryNumberAndDescription) {
    try {
        connection->open("Select nosuchcolumn From 票据");
        FAIL() << "expected an error";
    } catch (const DbError& e) {
        EXPECT_NE(e.number(), 0);
        EXPECT_NE(e.description().find("nosuchcolumn"), std::string::npos) << e.description();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, EngineConformance, ::testing::Values("sqlite", "odbc"),
                         [](const auto& info) { return info.param; });

TEST(SqliteEngine, MissingFileIsAnErrorNotANewDatabase) {
    EXPECT_THROW(tally::data::SqliteConnection("/nonexistent/folder/demo.sqlite"), DbError);
}

}  // namespace
