// Only single queries reach the database: the program's statement shapes pass, anything
// that writes, runs code or hides a second statement is refused before the engine sees it.
#include <gtest/gtest.h>

#include "DbError.h"
#include "ReadOnlyQuery.h"

using tally::data::refuseUnlessQuery;

namespace {

TEST(ReadOnlyQuery, ReportStatementShapesPass) {
    for (const char* sql : {
             "Select distinct 收费项目代号, setupsfxm.税率,XM From 票据 inner join 票据开票数据 on 票据.票据编号 = "
             "票据开票数据.票据编号",
             "  \n-- the extraction\nSELECT 1",
             "/* note */ (Select a From t) Union All (Select b From u) Order by 1",
             "With m as (Select 1 as x) Select x From m;",
             "Select [delete], \"into\", 'x; DROP TABLE 票据 --' From [insert]",
             "Select 1 -- ; DELETE FROM 票据",
             "Select replace(付款人, ' ', '') From 票据",
             "Select 1;;  \n",
         })
        EXPECT_EQ(refuseUnlessQuery(sql), std::nullopt) << sql;
}

TEST(ReadOnlyQuery, WritesAndSecondStatementsAreRefused) {
    for (const char* sql : {
             "",
             "   ",
             "-- nothing",
             "DELETE FROM 票据",
             "update 票据 set 金额 = 0",
             "INSERT INTO t VALUES (1)",
             "Select * Into 副本 From 票据",
             "Select 1; DELETE FROM 票据",
             "Select 1;\nDrop Table 票据",
             "With a as (Select 1 as x) Delete From b",
             "Select 1 Exec('drop table t')",
             "EXEC sp_who",
             "PRAGMA query_only = 0",
             "ATTACH 'x.db' AS x",
             "VACUUM",
             "Select 1 WAITFOR DELAY '00:01'",
             "Select * From OPENROWSET('SQLNCLI', 's', 'Select 1')",
             "(Delete From t)",
             "Truncate Table t",
         })
        EXPECT_NE(refuseUnlessQuery(sql), std::nullopt) << sql;
}

TEST(ReadOnlyQuery, RefusalIsADatabaseErrorNamingTheReason) {
    try {
        tally::data::requireQuery("Select 1; DELETE FROM 票据");
        FAIL() << "expected a refusal";
    } catch (const tally::data::DbError& e) {
        EXPECT_EQ(e.number(), 3906);
        EXPECT_NE(e.description().find("read-only"), std::string::npos) << e.description();
    }
}

}  // namespace
