// Connection::interrupt() from another thread: a statement that would run for minutes stops
// with the cancelled error on either engine, later statements are refused until
// clearInterrupt(), and then the connection works as before. A wrapping connection passes
// the interrupt on.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "DbError.h"
#include "LoggingConnection.h"
#include "OdbcConnection.h"
#include "Platform.h"
#include "SqliteConnection.h"
#include "TestDatabase.h"

using tally::data::Connection;
using tally::data::DbError;
using tally::data::SqliteConnection;
using tally::testing::TestDatabase;

namespace {

// A count over a billion generated rows: minutes of work unless stopped.
constexpr const char* kEndless =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000000) "
    "SELECT count(*) FROM n WHERE running(i) = 1";
// The same without the marker, for engines where it cannot be registered.
constexpr const char* kEndlessUnmarked =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000000) SELECT count(*) FROM n";

std::atomic<bool> statementRunning{false};

// running(x): notes that the statement has reached its rows; returns 1.
void addRunningMarker(sqlite3* db) {
    sqlite3_create_function(
        db, "running", 1, SQLITE_UTF8, nullptr,
        [](sqlite3_context* context, int, sqlite3_value**) {
            statementRunning.store(true);
            sqlite3_result_int(context, 1);
        },
        nullptr, nullptr);
}

// Runs `sql` on another thread; the error it ended with ("" when it ended without one).
std::future<std::string> runAside(Connection& connection, const std::string& sql) {
    return std::async(std::launch::async, [&connection, sql]() -> std::string {
        try {
            auto rows = connection.open(sql, Connection::kNoTimeout);
            return "";
        } catch (const DbError& e) {
            return e.cancelled() ? "cancelled" : "error " + std::to_string(e.number()) + ": " + e.description();
        }
    });
}

std::string firstValue(Connection& connection, const std::string& sql) {
    auto rows = connection.open(sql);
    return rows->eof() ? "" : rows->field(0).text();
}

class InterruptTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        statementRunning = false;
        db_.exec("INSERT INTO 票据类型 VALUES ('01','增值税专用发票',0)");
        if (GetParam() == "sqlite") connection_ = std::make_unique<SqliteConnection>(db_.path(), addRunningMarker);
        else
            connection_ = std::make_unique<tally::data::OdbcConnection>(
                std::string("DRIVER=") + SQLITE_ODBC_DRIVER + ";Database=" + tally::testing::hostPath(db_.path()) +
                ";LoadExt=" + TSQL_EXTENSION);
    }
    // The statement started on the other thread: marked on the embedded engine; through
    // ODBC the interrupt may come before it starts, which the sticky flag covers.
    void waitUntilRunning() {
        if (GetParam() == "sqlite") {
            while (!statementRunning.load()) std::this_thread::yield();
            return;
        }
        // Usually long enough for the driver to be inside the statement, so that SQLCancel
        // stops it; the outcome must be the same when it is not.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    std::string endless() const { return GetParam() == "sqlite" ? kEndless : kEndlessUnmarked; }

    TestDatabase db_;
    std::unique_ptr<Connection> connection_;
};

TEST_P(InterruptTest, StopsTheRunningStatementAndRefusesTheNextUntilCleared) {
    auto result = runAside(*connection_, endless());
    waitUntilRunning();
    connection_->interrupt();
    EXPECT_EQ(result.get(), "cancelled");

    EXPECT_TRUE(connection_->interrupted());
    try {
        connection_->open("SELECT 1");
        ADD_FAILURE() << "a statement ran after the interrupt";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.cancelled()) << e.description();
    }
    connection_->clearInterrupt();
    EXPECT_FALSE(connection_->interrupted());
    // The engine's column lists survived the interrupt: the rewritten statement still finds them.
    EXPECT_EQ(firstValue(*connection_, "SELECT 票据类型 FROM 票据类型"), "增值税专用发票");
}

TEST_P(InterruptTest, AnInterruptBetweenStatementsStopsTheNextOne) {
    connection_->interrupt();
    auto result = runAside(*connection_, endless());
    EXPECT_EQ(result.get(), "cancelled");
    connection_->clearInterrupt();
    EXPECT_EQ(firstValue(*connection_, "SELECT count(*) FROM 票据类型"), "1");
}

TEST_P(InterruptTest, ATimeoutIsNotACancel) {
    if (GetParam() != "sqlite") GTEST_SKIP() << "the driver's own time limit is not ours to word";
    try {
        connection_->open(endless(), 1);
        ADD_FAILURE() << "the statement outlived its time limit";
    } catch (const DbError& e) {
        EXPECT_FALSE(e.cancelled());
        EXPECT_EQ(e.description(), "Query timeout expired");
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, InterruptTest, ::testing::Values("sqlite", "odbc"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The log's text; the file is removed.
std::string takeLog(const std::filesystem::path& log) {
    std::string text;
    {
        std::ifstream in(log);  // closed first: Windows removes no open file
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(log);
    return text;
}

TEST(LoggedInterruptTest, TheWrappedConnectionIsInterruptedAndTheLogSaysSo) {
    TestDatabase db;
    const auto log =
        std::filesystem::temp_directory_path() / ("interrupt-" + std::to_string(tally::testing::processId()) + ".log");
    statementRunning = false;
    {
        tally::data::LoggingConnection logged(std::make_unique<SqliteConnection>(db.path(), addRunningMarker),
                                              log.string());
        auto result = runAside(logged, kEndless);
        while (!statementRunning.load()) std::this_thread::yield();
        logged.interrupt();
        EXPECT_EQ(result.get(), "cancelled");
        logged.clearInterrupt();
        EXPECT_EQ(firstValue(logged, "SELECT 7"), "7");
    }
    const std::string text = takeLog(log);
    EXPECT_NE(text.find("failed: Operation cancelled"), std::string::npos) << text;
}

}  // namespace

namespace {

// A report reads one statement on the connection's sibling while the connection runs
// another: interrupting the connection ends both, and both work again once cleared.
TEST(SiblingInterruptTest, InterruptingTheConnectionEndsTheSiblingsStatement) {
    TestDatabase db;
    statementRunning = false;
    SqliteConnection connection(db.path(), addRunningMarker);
    Connection* sibling = connection.sibling();
    ASSERT_NE(sibling, nullptr);
    EXPECT_EQ(connection.sibling(), sibling) << "kept for the next run";

    auto result = runAside(*sibling, kEndless);
    while (!statementRunning.load()) std::this_thread::yield();
    connection.interrupt();
    EXPECT_EQ(result.get(), "cancelled");
    EXPECT_THROW(connection.open("SELECT 1"), DbError);
    EXPECT_THROW(sibling->open("SELECT 1"), DbError) << "stopped until the connection is cleared";
    connection.clearInterrupt();
    EXPECT_EQ(firstValue(connection, "SELECT 7"), "7");
    EXPECT_EQ(firstValue(*sibling, "SELECT 8"), "8");
}

}  // namespace

namespace {

// The log's sibling wraps the engine's: its statements go into the same log, and an
// interrupt of the logged connection ends them.
TEST(SiblingInterruptTest, ALoggedConnectionsSiblingLogsAndStopsWithIt) {
    TestDatabase db;
    const auto log =
        std::filesystem::temp_directory_path() / ("sibling-" + std::to_string(tally::testing::processId()) + ".log");
    statementRunning = false;
    {
        tally::data::LoggingConnection logged(std::make_unique<SqliteConnection>(db.path(), addRunningMarker),
                                              log.string());
        Connection* sibling = logged.sibling();
        ASSERT_NE(sibling, nullptr);
        EXPECT_EQ(logged.sibling(), sibling);
        auto result = runAside(*sibling, kEndless);
        while (!statementRunning.load()) std::this_thread::yield();
        logged.interrupt();
        EXPECT_EQ(result.get(), "cancelled");
        logged.clearInterrupt();
        EXPECT_EQ(firstValue(*sibling, "SELECT 8"), "8");
    }
    const std::string text = takeLog(log);
    EXPECT_NE(text.find("failed: Operation cancelled"), std::string::npos) << text;
    EXPECT_NE(text.find("SELECT 8"), std::string::npos) << text;
}

}  // namespace
