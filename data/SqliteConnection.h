#pragma once
// The embedded engine: an SQLite file opened read-only, speaking the report statements' T-SQL.
#include <map>
#include <string>
#include <vector>

#include "Connection.h"

struct sqlite3;

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
    explicit SqliteConnection(const std::string& path);
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    std::unique_ptr<Recordset> open(std::string_view sql) override;
    std::string engineName() const override { return "sqlite"; }

    // The statement as it is handed to SQLite after the T-SQL rewriting.
    std::string translate(std::string_view sql);
    // How SQLite would run the statement (after the rewriting), in plan order;
    // throws DbError when it does not compile.
    std::vector<QueryPlanStep> queryPlan(std::string_view sql);

private:
    std::vector<std::string> columnsOf(const std::string& table);

    sqlite3* db_ = nullptr;
    std::map<std::string, std::vector<std::string>> columnCache_;
};

}  // namespace tally::data
