// ODBC connection strings for SQLite's driver: its attributes read as the driver reads
// them, the T-SQL extension added when the string does not load one, and a string cut at
// its first ";" refused with a message that says why.
#include <gtest/gtest.h>

#include <filesystem>

#include "DbError.h"
#include "OdbcConnectionString.h"
#include "OpenDatabase.h"
#include "Platform.h"
#include "ProgramFiles.h"
#include "TestDatabase.h"

using namespace tally::data;
using Attributes = std::vector<std::pair<std::string, std::string>>;

namespace {

TEST(OdbcAttributes, ReadsPlainAndBracedValues) {
    EXPECT_EQ(odbcAttributes("Driver=SQLite3;Database=/srv/fees.sqlite"),
              (Attributes{{"Driver", "SQLite3"}, {"Database", "/srv/fees.sqlite"}}));
    EXPECT_EQ(odbcAttributes(" DRIVER = {SQLite3} ; PWD={a;b}}c=d};;junk;UID=x;"),
              (Attributes{{"DRIVER", "SQLite3"}, {"PWD", "a;b}c=d"}, {"UID", "x"}}));
    EXPECT_EQ(odbcAttributes(""), Attributes{});
}

TEST(SqliteExtension, IsAddedOnlyForSqlitesDriverWithoutOne) {
    const std::string ext = "/usr/lib/tallyvane/libtally_tsql_sqlite.so";
    EXPECT_EQ(withSqliteExtension("Driver=SQLite3;Database=/srv/f.sqlite", ext),
              "Driver=SQLite3;Database=/srv/f.sqlite;LoadExt=" + ext + ";");
    EXPECT_EQ(withSqliteExtension("driver={/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so};Database=f;", ext),
              "driver={/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so};Database=f;LoadExt=" + ext + ";");
    // One the string loads itself is left alone, whatever the key's case.
    EXPECT_EQ(withSqliteExtension("Driver=SQLite3;Database=f;loadext=/opt/mine.so", ext),
              "Driver=SQLite3;Database=f;loadext=/opt/mine.so");
    EXPECT_EQ(withSqliteExtension("Driver={FreeTDS};Server=db", ext), "Driver={FreeTDS};Server=db");
    EXPECT_EQ(withSqliteExtension("DSN=fees", ext), "DSN=fees");
    EXPECT_EQ(withSqliteExtension("Driver=SQLite3;Database=f", ""), "Driver=SQLite3;Database=f");
    // A path holding ";" stays one value.
    const std::string odd = "/opt/a;b/ext.so";
    const Attributes added = odbcAttributes(withSqliteExtension("Driver=SQLite3;Database=f", odd));
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(added[2], (std::pair<std::string, std::string>{"LoadExt", odd}));
}

TEST(SqliteExtension, IsFoundBesideTheProgramsOfThisBuild) {
    const std::string found = tsqlExtensionPath();
    ASSERT_FALSE(found.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(found));
    EXPECT_EQ(std::filesystem::path(found).filename(),
              tally::testing::kOnWindows ? "libtally_tsql_sqlite.dll" : "libtally_tsql_sqlite.so");
}

// The settings value exactly as the README gives it: T-SQL statements run through the driver.
TEST(SqliteThroughOdbc, RunsTheReportDialectWithTheExtensionFoundItself) {
    if (tally::testing::underWine())
        GTEST_SKIP() << "under Wine the SQLite ODBC driver is the host's, which cannot load the Windows extension";
    tally::testing::TestDatabase db;
    auto connection = connect({"odbc:Driver=SQLite3;Database=" + tally::testing::hostPath(db.path()), "", "", ""});
    auto rs = connection->open("Select CONVERT(char(8),'2026-03-05 10:11:12',112)");
    ASSERT_FALSE(rs->eof());
    EXPECT_EQ(rs->field(0).text(), "20260305");
}

TEST(SqliteThroughOdbc, AValueCutAtItsFirstSemicolonIsNamedAsSuch) {
    EXPECT_TRUE(namesSqliteDriverWithoutDatabase("Driver=SQLite3"));
    EXPECT_FALSE(namesSqliteDriverWithoutDatabase("Driver=SQLite3;Database=/srv/fees.sqlite"));
    EXPECT_FALSE(namesSqliteDriverWithoutDatabase("DSN=fees"));
    EXPECT_FALSE(namesSqliteDriverWithoutDatabase("Driver={FreeTDS};Server=db"));
    try {
        connect({"odbc:Driver=SQLite3", "", "", ""});
        ADD_FAILURE() << "connected without a database";
    } catch (const DbError& e) {
        EXPECT_NE(e.description().find("double quotes"), std::string::npos) << e.description();
    }
}

}  // namespace
