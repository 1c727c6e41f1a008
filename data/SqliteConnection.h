#pragma once
// The embedded engine: an SQLite file opened read-only, speaking the report statements' T-SQL.
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Connection.h"
#include "SqliteHandles.h"

namespace tally::data {

// One step of SQLite's EXPLAIN QUERY PLAN: a loop, a materialized subquery, a sort.
struct QueryPlanStep {
    int id = 0;
    int parent = 0;      // id of the step this one is nested in; 0 at the top
    std::string detail;  // "SEARCH B1 USING AUTOMATIC COVERING INDEX (入库单编号=?) LEFT-JOIN"
};

class SqliteConnection : public Connection {
public:
    // Run on every handle the connection opens, before its first statement: tests and
    // benchmarks add SQL functions of their own with it.
    using HandleSetup = std::function<void(sqlite3*)>;

    // Opens the file read-only; throws DbError when it does not exist or is no database.
    // Each statement checks that the file is still the one opened (see reopenIfMoved).
    explicit SqliteConnection(const std::string& path, HandleSetup setup = {});
    ~SqliteConnection() override;

    std::string engineName() const override { return "sqlite"; }

    // Another handle on the same file, sharing this one's stop flag; null when it cannot
    // be opened (the caller then reads on this connection alone).
    Connection* sibling() override;

    // How long a statement waits while another program holds the file locked, before it
    // fails with "database is locked". The report statements run without a time limit,
    // so this wait has its own bound: the window is never frozen by a lock for long.
    void setLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

    // The statement as it is handed to SQLite after the T-SQL rewriting.
    std::string translate(std::string_view sql);
    // How SQLite would run the statement (after the rewriting), in plan order;
    // throws DbError when it does not compile.
    std::vector<QueryPlanStep> queryPlan(std::string_view sql);

protected:
    std::unique_ptr<Recordset> execute(std::string_view sql, int timeoutSeconds) override;
    void stopRunningStatement() override;
    void resumeStatements() override;

private:
    SqliteConnection(const std::string& path, HandleSetup setup, std::shared_ptr<std::atomic<bool>> stop);
    void openFile();
    void reopenIfMoved();
    std::vector<std::string> columnsOf(const std::string& table);

    std::string path_;
    HandleSetup setup_;
    std::mutex handleMutex_;  // db_ is swapped on the running thread, interrupted from another
    SqliteDb db_;             // none while a moved file is missing
    // Seen by the running statement's progress check: an interrupt that comes just before
    // the statement starts would be lost by sqlite3_interrupt alone.
    std::shared_ptr<std::atomic<bool>> stop_ = std::make_shared<std::atomic<bool>>(false);
    std::chrono::milliseconds lockWait_{30000};
    std::map<std::string, std::vector<std::string>> columnCache_;
    std::unique_ptr<SqliteConnection> sibling_;
};

}  // namespace tally::data
