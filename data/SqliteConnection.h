#pragma once
// The embedded engine: an SQLite file opened read-only, speaking the report statements' T-SQL.
#include <chrono>
#include <map>
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
    // Opens the file read-only; throws DbError when it does not exist or is no database.
    // Each statement checks that the file is still the one opened (see reopenIfMoved).
    explicit SqliteConnection(const std::string& path);
    ~SqliteConnection() override;

    std::string engineName() const override { return "sqlite"; }

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

private:
    void openFile();
    void reopenIfMoved();
    std::vector<std::string> columnsOf(const std::string& table);

    std::string path_;
    SqliteDb db_;  // none while a moved file is missing
    std::chrono::milliseconds lockWait_{30000};
    std::map<std::string, std::vector<std::string>> columnCache_;
};

}  // namespace tally::data
