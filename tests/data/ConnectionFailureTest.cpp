// A connection that fails after its handles exist gives them all back: the error is the
// one the engine reported, and the database file is no longer held open. (LeakSanitizer
// in the sanitizer build checks the memory behind the handles as well.)
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "DbError.h"
#include "OdbcConnection.h"
#include "Platform.h"
#include "SqliteConnection.h"
#include "TestDatabase.h"

using tally::data::DbError;
using tally::data::OdbcConnection;
using tally::data::SqliteConnection;
using tally::testing::TestDatabase;

namespace {

// Descriptors of this process open on `path` or a file beside it that SQLite names after
// it (journal, WAL). On Windows, where a file SQLite holds cannot be renamed, 1 while the
// file is held: that covers the embedded engine, not the Linux ODBC driver under Wine.
int openDescriptorsOn(const std::filesystem::path& path) {
    if (tally::testing::kOnWindows) {
        std::error_code held;
        const std::filesystem::path moved = std::filesystem::path(path) += ".moved";
        std::filesystem::rename(path, moved, held);
        if (held) return 1;
        std::filesystem::rename(moved, path);
        return 0;
    }
    const std::string file = std::filesystem::canonical(path).string();
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code unreadable;
        const std::string target = std::filesystem::read_symlink(entry.path(), unreadable).string();
        if (!unreadable && target.compare(0, file.size(), file) == 0) ++count;
    }
    return count;
}

// Runs `action`, which must throw DbError, and returns the error.
template <typename Action>
DbError errorOf(Action action) {
    try {
        action();
    } catch (const DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no DbError";
    return DbError(0, "");
}

class ForeignFile : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = (std::filesystem::temp_directory_path() /
                 ("tally-foreign-" + std::to_string(tally::testing::processId()) + ".sqlite"))
                    .string();
        std::ofstream(path_) << std::string(4096, 'x');
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::string path_;
};

TEST_F(ForeignFile, SqliteConnectionReportsItAndClosesTheFile) {
    ASSERT_EQ(openDescriptorsOn(path_), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DbError error = errorOf([&] { SqliteConnection connection(path_); });
        EXPECT_EQ(error.number(), SQLITE_NOTADB);
        EXPECT_EQ(error.description(), "file is not a database: " + path_);
        EXPECT_EQ(openDescriptorsOn(path_), 0) << "attempt " << attempt;
    }
}

TEST(SqliteConnectionHandles, FileClosesWithTheConnection) {
    TestDatabase db;
    {
        SqliteConnection connection(db.path());
        auto rs = connection.open("Select count(*) From 票据类型");
        EXPECT_EQ(rs->field(0).text(), "0");
        EXPECT_GE(openDescriptorsOn(db.path()), 1);
    }
    EXPECT_EQ(openDescriptorsOn(db.path()), 0);
}

TEST(SqliteConnectionHandles, RecordsetOutlivingItsConnectionKeepsReading) {
    TestDatabase db;
    db.exec("INSERT INTO 票据类型 VALUES ('01','增值税专用发票',0), ('02','增值税普通发票',0)");
    std::unique_ptr<tally::data::Recordset> rs;
    {
        SqliteConnection connection(db.path());
        rs = connection.open("Select 票据类型代号 From 票据类型 Order By 票据类型代号");
    }
    ASSERT_FALSE(rs->eof());
    EXPECT_EQ(rs->field(0).text(), "01");
    rs->moveNext();
    EXPECT_EQ(rs->field(0).text(), "02");
    rs.reset();
    EXPECT_EQ(openDescriptorsOn(db.path()), 0);
}

// Through SQLite's ODBC driver, with an extension that makes the read-only setting fail.
std::string odbcConnectionString(const std::string& database, const std::string& extension) {
    return std::string("DRIVER=") + SQLITE_ODBC_DRIVER + ";Database=" + tally::testing::hostPath(database) +
           ";LoadExt=" + extension;
}

// Under Wine the driver is a Linux library: Windows does not see the files it holds.
constexpr const char* kDriverFilesUnseen = "the ODBC driver's open files are not seen from Windows";

TEST(OdbcConnectionHandles, FailureAfterConnectingIsReportedAndDisconnects) {
    TestDatabase db;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DbError error =
            errorOf([&] { OdbcConnection connection(odbcConnectionString(db.path(), REFUSE_QUERY_ONLY_EXTENSION)); });
        EXPECT_EQ(error.number(), SQLITE_AUTH);
        EXPECT_NE(error.description().find("not authorized"), std::string::npos) << error.description();
        if (!tally::testing::kOnWindows) {
            EXPECT_EQ(openDescriptorsOn(db.path()), 0) << "attempt " << attempt;
        }
    }
    if (tally::testing::kOnWindows) GTEST_SKIP() << "the error was checked; " << kDriverFilesUnseen;
}

TEST(OdbcConnectionHandles, FailureToConnectIsReported) {
    const DbError error =
        errorOf([] { OdbcConnection connection(odbcConnectionString("/nonexistent/folder/x.db", "")); });
    EXPECT_NE(error.description().find("connect failed"), std::string::npos) << error.description();
}

TEST(OdbcConnectionHandles, FileClosesWithTheConnection) {
    if (tally::testing::kOnWindows) GTEST_SKIP() << kDriverFilesUnseen;
    TestDatabase db;
    {
        OdbcConnection connection(odbcConnectionString(db.path(), TSQL_EXTENSION));
        EXPECT_EQ(connection.open("Select count(*) From 票据类型")->field(0).text(), "0");
        EXPECT_GE(openDescriptorsOn(db.path()), 1);
    }
    EXPECT_EQ(openDescriptorsOn(db.path()), 0);
}

}  // namespace
