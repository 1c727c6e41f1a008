#include "SqliteConnection.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <utility>

#include "ReadOnlyQuery.h"
#include "SqliteFunctions.h"
#include "TsqlRewriter.h"

namespace tally::data {
namespace {

[[noreturn]] void fail(sqlite3* db, int rc) { throw DbError(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)); }

// Virtual machine steps between two looks at the time limit and the stop flag.
constexpr int kProgressSteps = 1000;

class SqliteRecordset : public Recordset {
public:
    SqliteRecordset(sqlite3* db, SqliteStatement stmt, int timeoutSeconds, std::shared_ptr<std::atomic<bool>> stop)
        : db_(db), stmt_(std::move(stmt)), stop_(std::move(stop)) {
        if (timeoutSeconds > 0) deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
        sqlite3_progress_handler(db_, kProgressSteps, &SqliteRecordset::checkProgress, this);
        std::vector<std::string> names;
        for (int i = 0; i < sqlite3_column_count(stmt_.get()); ++i)
            names.emplace_back(sqlite3_column_name(stmt_.get(), i));
        try {
            start(std::move(names));
        } catch (...) {
            stopDeadline();
            throw;
        }
    }
    ~SqliteRecordset() override { stopDeadline(); }

protected:
    bool fetchRow(std::vector<Value>& row) override {
        sqlite3_stmt* stmt = stmt_.get();
        int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE) return false;
        if (rc != SQLITE_ROW) {
            if (rc == SQLITE_INTERRUPT && stop_->load()) throw DbError::cancelledError();
            if (rc == SQLITE_INTERRUPT) throw DbError(-2147217871, "Query timeout expired");
            fail(db_, rc);
        }
        for (int i = 0; i < static_cast<int>(row.size()); ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_NULL: row[i] = Value(); break;
            case SQLITE_INTEGER: row[i] = Value::fromInteger(sqlite3_column_int64(stmt, i)); break;
            case SQLITE_FLOAT: row[i] = Value::fromReal(sqlite3_column_double(stmt, i)); break;
            default:
                // by length: a text may hold NUL characters
                row[i].assignText({reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                   static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))});
            }
        }
        return true;
    }

private:
    // The handler points at this recordset, which is going.
    void stopDeadline() { sqlite3_progress_handler(db_, 0, nullptr, nullptr); }

    static int checkProgress(void* self) {
        auto* rs = static_cast<SqliteRecordset*>(self);
        if (rs->stop_->load()) return 1;
        return rs->deadline_ != std::chrono::steady_clock::time_point{} &&
                       std::chrono::steady_clock::now() > rs->deadline_
                   ? 1
                   : 0;
    }

    sqlite3* db_;
    SqliteStatement stmt_;
    std::shared_ptr<std::atomic<bool>> stop_;
    std::chrono::steady_clock::time_point deadline_{};
};

// A year's report reads the same index pages once per fee item; the default 2 MB
// page cache sends each of those reads back to the file (32 MB holds the invoice
// lookups of the benchmark's year, and is a cap, not an allocation). The derived
// tables and their automatic indexes are built in temporary storage, kept in memory.
// SQLite counts the memory it takes under one lock for the whole process; with a report
// reading on two handles at once the threads would wait for each other at every
// allocation. The count is not used here. Only possible before SQLite starts; later calls
// are refused by SQLite and change nothing.
void stopMemoryCount() {
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

// Only speed: a file that refuses these settings is still read correctly.
void tuneForReports(sqlite3* db) {
    (void)sqlite3_exec(db, "PRAGMA cache_size=-32768; PRAGMA temp_store=MEMORY", nullptr, nullptr, nullptr);
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, HandleSetup setup) : path_(path), setup_(std::move(setup)) {
    stopMemoryCount();
    openFile();
}

SqliteConnection::SqliteConnection(const std::string& path, HandleSetup setup, std::shared_ptr<std::atomic<bool>> stop)
    : path_(path), setup_(std::move(setup)), stop_(std::move(stop)) {
    openFile();
}

// The sibling's statements look at this connection's stop flag at every progress check,
// so an interrupt here ends them too, without reaching for the sibling from the
// interrupting thread.
Connection* SqliteConnection::sibling() {
    if (!sibling_) {
        try {
            sibling_.reset(new SqliteConnection(path_, setup_, stop_));
        } catch (const DbError&) {
            return nullptr;
        }
    }
    sibling_->setLockWait(lockWait_);
    return sibling_.get();
}

void SqliteConnection::openFile() {
    sqlite3* opened = nullptr;
    // No mutex on the handle: one thread at a time uses a connection (Connection::turn()),
    // and sqlite3_interrupt needs none. A report reads every field of every row through
    // the handle, and each read would take and give back its mutex.
    int rc =
        sqlite3_open_v2(path_.c_str(), &opened, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDb db(opened);  // a failed open still hands back a handle to close
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc);
        throw DbError(rc, message + ": " + path_);
    }
    registerTsqlFunctions(db.get());
    if (setup_) setup_(db.get());
    // The file is opened read-only already; query_only also refuses a write the open
    // mode would let through (an attached database), so a handle without it is not used.
    rc = sqlite3_exec(db.get(), "PRAGMA query_only=1", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) throw DbError(rc, std::string(sqlite3_errmsg(db.get())) + ": " + path_);
    tuneForReports(db.get());
    // An empty or foreign file opens fine; reading the schema tells.
    char* error = nullptr;
    rc = sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw DbError(rc, message + ": " + path_);
    }
    std::lock_guard<std::mutex> lock(handleMutex_);
    db_ = std::move(db);
}

// The file may be moved, deleted or replaced while the program runs. SQLite would go on
// reading the old file through its open handle, so reports would come from a file that
// is no longer there; the path is opened afresh instead, which fails with the usual
// message while nothing is there and works again once the file is back.
void SqliteConnection::reopenIfMoved() {
    int moved = 0;
    if (db_ && sqlite3_file_control(db_.get(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && !moved) return;
    // A recordset still open on the old handle keeps it alive until it is finished.
    {
        std::lock_guard<std::mutex> lock(handleMutex_);
        db_.reset();
    }
    columnCache_.clear();
    openFile();
}

SqliteConnection::~SqliteConnection() = default;

std::vector<std::string> SqliteConnection::columnsOf(const std::string& table) {
    auto key = table;
    auto it = columnCache_.find(key);
    if (it != columnCache_.end()) return it->second;
    std::vector<std::string> columns;
    sqlite3_stmt* prepared = nullptr;
    int rc = sqlite3_prepare_v2(db_.get(), "SELECT name FROM pragma_table_info(?1)", -1, &prepared, nullptr);
    SqliteStatement stmt(prepared);
    if (rc == SQLITE_OK) rc = sqlite3_bind_text(stmt.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
            columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
    }
    // A list cut short by an interrupt is not the table's.
    if (rc == SQLITE_DONE) columnCache_[key] = columns;
    return columns;
}

std::string SqliteConnection::translate(std::string_view sql) {
    return rewriteTsqlForSqlite(sql, [this](const std::string& t) { return columnsOf(t); });
}

std::vector<QueryPlanStep> SqliteConnection::queryPlan(std::string_view sql) {
    reopenIfMoved();
    std::string text = "EXPLAIN QUERY PLAN " + translate(sql);
    sqlite3_stmt* prepared = nullptr;
    int rc = sqlite3_prepare_v2(db_.get(), text.c_str(), static_cast<int>(text.size()), &prepared, nullptr);
    SqliteStatement stmt(prepared);
    if (rc != SQLITE_OK) fail(db_.get(), rc);
    std::vector<QueryPlanStep> steps;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        const unsigned char* detail = sqlite3_column_text(stmt.get(), 3);
        steps.push_back({sqlite3_column_int(stmt.get(), 0), sqlite3_column_int(stmt.get(), 1),
                         detail ? reinterpret_cast<const char*>(detail) : ""});
    }
    if (rc != SQLITE_DONE) fail(db_.get(), rc);
    return steps;
}

std::unique_ptr<Recordset> SqliteConnection::execute(std::string_view sql, int timeoutSeconds) {
    // A sibling is stopped through its owner's flag alone, and stays stopped as its owner does.
    if (stop_->load()) throw DbError::cancelledError();
    requireQuery(sql);
    reopenIfMoved();
    // Always SQLITE_OK: it only sets the wait.
    (void)sqlite3_busy_timeout(db_.get(), static_cast<int>(std::min<long long>(lockWait_.count(), INT_MAX)));
    std::string text = translate(sql);
    sqlite3_stmt* prepared = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_.get(), text.c_str(), static_cast<int>(text.size()), &prepared, &tail);
    SqliteStatement stmt(prepared);
    if (rc != SQLITE_OK) fail(db_.get(), rc);
    if (!stmt) throw DbError(SQLITE_MISUSE, "empty statement");
    if (!sqlite3_stmt_readonly(stmt.get())) throw DbError(SQLITE_READONLY, "attempt to write a readonly database");
    return std::make_unique<SqliteRecordset>(db_.get(), std::move(stmt), timeoutSeconds, stop_);
}

void SqliteConnection::stopRunningStatement() {
    stop_->store(true);
    std::lock_guard<std::mutex> lock(handleMutex_);
    if (db_) sqlite3_interrupt(db_.get());
}

void SqliteConnection::resumeStatements() { stop_->store(false); }

}  // namespace tally::data
