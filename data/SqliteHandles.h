#pragma once
// Owners for SQLite's handles: each is closed or finalized once, on every way out of the
// code that made it. <sqlite3.h> stays out of the headers that hold them.
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace tally::data {

struct SqliteClose {
    // sqlite3_close_v2: a statement still running on the handle keeps it alive until
    // that statement is finalized.
    void operator()(sqlite3* db) const noexcept;
};

struct SqliteFinalize {
    void operator()(sqlite3_stmt* stmt) const noexcept;
};

using SqliteDb = std::unique_ptr<sqlite3, SqliteClose>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalize>;

}  // namespace tally::data
