#pragma once
// A demo database whose statements can be made to take as long as a test needs: armed,
// every statement first runs one that naps a millisecond per row over 100,000 rows (about
// 100 s), stopped only by an interrupt. The nap is an SQL function registered on this
// connection alone; interrupts and turns pass to the real SQLite connection underneath.
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Connection.h"
#include "SqliteConnection.h"

namespace tally::testing {

// nap(ms): sleeps `ms` milliseconds and returns 1.
inline void addNapFunction(sqlite3* db) {
    sqlite3_create_function(
        db, "nap", 1, SQLITE_UTF8, nullptr,
        [](sqlite3_context* context, int, sqlite3_value** values) {
            std::this_thread::sleep_for(std::chrono::milliseconds(sqlite3_value_int(values[0])));
            sqlite3_result_int(context, 1);
        },
        nullptr, nullptr);
}

inline constexpr const char* kSlowStatement =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
    "SELECT count(*) FROM n WHERE nap(1) = 1";

class SlowConnection : public data::Connection {
public:
    explicit SlowConnection(const std::string& path)
        : inner_(std::make_unique<data::SqliteConnection>(path, addNapFunction)) {}

    std::string engineName() const override { return inner_->engineName(); }

    // Armed: each statement waits behind the slow one.
    std::atomic<bool> armed{false};
    // Slow statements started so far.
    std::atomic<int> slowStarted{0};

    // Statements the windows sent (the slow ones not counted).
    std::size_t statementCount() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return statements_.size();
    }

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view sql, int timeoutSeconds) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            statements_.emplace_back(sql);
        }
        if (armed.load()) {
            ++slowStarted;
            inner_->open(kSlowStatement, data::Connection::kNoTimeout);
        }
        return inner_->open(sql, timeoutSeconds);
    }
    void stopRunningStatement() override { inner_->interrupt(); }
    void resumeStatements() override { inner_->clearInterrupt(); }

private:
    std::unique_ptr<data::SqliteConnection> inner_;
    mutable std::mutex mutex_;
    std::vector<std::string> statements_;
};

}  // namespace tally::testing
