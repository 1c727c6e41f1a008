#include "OdbcConnection.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

#include "OdbcText.h"
#include "ReadOnlyQuery.h"
#include "SqlText.h"
#include "TsqlRewriter.h"

namespace tally::data {

struct OdbcConnection::RunningStatement {
    std::mutex mutex;  // held while the handle is set, cleared or cancelled
    void* handle = nullptr;
    std::atomic<bool> stop{false};

    void set(void* statement) {
        std::lock_guard<std::mutex> lock(mutex);
        handle = statement;
    }
    // Before the handle is freed: SQLCancel never reaches a freed handle.
    void clear(void* statement) {
        std::lock_guard<std::mutex> lock(mutex);
        if (handle == statement) handle = nullptr;
    }
    void cancel() {
        stop.store(true);
        std::lock_guard<std::mutex> lock(mutex);
        // A driver that cannot cancel finishes the statement; the stop flag still ends the run.
        if (handle) (void)SQLCancel(handle);
    }
    // A failure after a cancel is the cancel, whatever the driver calls it.
    DbError failure(DbError error) const { return stop.load() ? DbError::cancelledError() : std::move(error); }
};

namespace {

// The first diagnostic record of a handle as a DbError.
DbError diagnostic(SQLSMALLINT type, SQLHANDLE handle, const std::string& fallback) {
    if (auto found = odbc::firstDiagnostic(type, handle)) return DbError(found->nativeCode, std::move(found->message));
    return DbError(-1, fallback);
}

class OdbcRecordset : public Recordset {
public:
    OdbcRecordset(OdbcStatementHandle stmt, std::shared_ptr<OdbcConnection::RunningStatement> running)
        : stmt_(std::move(stmt)), running_(std::move(running)) {
        SQLSMALLINT columns = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(stmt_.get(), &columns)))
            throw running_->failure(diagnostic(SQL_HANDLE_STMT, stmt_.get(), "cannot count the result's columns"));
        std::vector<std::string> names;
        for (SQLSMALLINT c = 1; c <= columns; ++c) {
            SQLSMALLINT type = 0;
            names.push_back(odbc::describeColumn(stmt_.get(), static_cast<SQLUSMALLINT>(c), type));
            types_.push_back(type);
        }
        start(std::move(names));
    }
    ~OdbcRecordset() override { running_->clear(stmt_.get()); }
    OdbcRecordset(const OdbcRecordset&) = delete;
    OdbcRecordset& operator=(const OdbcRecordset&) = delete;

protected:
    bool fetchRow(std::vector<Value>& row) override {
        if (types_.empty()) return false;  // a statement without a result set
        SQLRETURN rc = SQLFetch(stmt_.get());
        if (rc == SQL_NO_DATA) return false;
        if (!SQL_SUCCEEDED(rc)) throw running_->failure(diagnostic(SQL_HANDLE_STMT, stmt_.get(), "fetch failed"));
        for (std::size_t i = 0; i < row.size(); ++i) row[i] = read(static_cast<SQLUSMALLINT>(i + 1), types_[i]);
        return true;
    }

private:
    Value read(SQLUSMALLINT column, SQLSMALLINT type) {
        SQLLEN indicator = 0;
        switch (type) {
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
        case SQL_BIT: {
            SQLBIGINT v = 0;
            check(SQLGetData(stmt_.get(), column, SQL_C_SBIGINT, &v, 0, &indicator));
            return indicator == SQL_NULL_DATA ? Value() : Value::fromInteger(v);
        }
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_DECIMAL:
        case SQL_NUMERIC: {
            double v = 0;
            check(SQLGetData(stmt_.get(), column, SQL_C_DOUBLE, &v, 0, &indicator));
            return indicator == SQL_NULL_DATA ? Value() : Value::fromReal(v);
        }
        case SQL_TYPE_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TIMESTAMP:
        case SQL_DATE: {
            SQL_TIMESTAMP_STRUCT ts{};
            check(SQLGetData(stmt_.get(), column, SQL_C_TYPE_TIMESTAMP, &ts, sizeof ts, &indicator));
            if (indicator == SQL_NULL_DATA) return Value();
            char buf[64];
            std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02u:%02u:%02u", ts.year, ts.month, ts.day, ts.hour,
                          ts.minute, ts.second);
            return Value::fromText(buf);
        }
        default: return readText(column);
        }
    }

    Value readText(SQLUSMALLINT column) {
        SQLRETURN failure = SQL_SUCCESS;
        auto text = odbc::readText(stmt_.get(), column, failure);
        check(failure);
        return text ? Value::fromText(std::move(*text)) : Value();
    }

    void check(SQLRETURN rc) {
        if (!SQL_SUCCEEDED(rc))
            throw running_->failure(diagnostic(SQL_HANDLE_STMT, stmt_.get(), "reading a field failed"));
    }

    OdbcStatementHandle stmt_;
    std::shared_ptr<OdbcConnection::RunningStatement> running_;
    std::vector<SQLSMALLINT> types_;
};

}  // namespace

// The handles are members from the moment they exist, so a failure anywhere below (the
// read-only setting included) disconnects and frees them on the way out.
OdbcConnection::OdbcConnection(const std::string& connectionString) : running_(std::make_shared<RunningStatement>()) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, env_.out())))
        throw DbError(-1, "cannot allocate an ODBC environment");
    if (!SQL_SUCCEEDED(SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)))
        throw diagnostic(SQL_HANDLE_ENV, env_.get(), "the ODBC driver manager does not speak ODBC 3");
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env_.get(), dbc_.out())))
        throw DbError(-1, "cannot allocate an ODBC connection");
    SQLHDBC dbc = dbc_.get();
    // Both are requests a driver may decline: a login then waits as long as the driver
    // does, and the read-only mode is enforced anyway (single queries only, and SQLite's
    // query_only below).
    (void)SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(30), 0);
    (void)SQLSetConnectAttr(dbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    if (!SQL_SUCCEEDED(odbc::driverConnect(dbc, connectionString)))
        throw diagnostic(SQL_HANDLE_DBC, dbc, "connection failed");
    dbc_.markConnected();
    dbmsName_ = odbc::dbmsName(dbc);
    speaksSqlite_ = dbmsName_.find("SQLite") != std::string::npos;
    if (speaksSqlite_) executeAsIs("PRAGMA query_only=1");  // the driver has no read-only mode of its own
}

OdbcConnection::~OdbcConnection() = default;

std::vector<std::string> OdbcConnection::columnsOf(const std::string& table) {
    // A table the database lacks has no rows here; a failure is the database's and ends
    // the statement that asked.
    std::vector<std::string> columns;
    auto rs = executeAsIs("PRAGMA table_info(" + sqlTextLiteral(table) + ")");
    for (; !rs->eof(); rs->moveNext()) columns.push_back(rs->field("name").text());
    return columns;
}

std::unique_ptr<Recordset> OdbcConnection::execute(std::string_view sql, int timeoutSeconds) {
    requireQuery(sql);
    if (!speaksSqlite_) return executeAsIs(sql, timeoutSeconds);
    return executeAsIs(rewriteTsqlForSqlite(sql, [this](const std::string& t) { return columnsOf(t); }),
                       timeoutSeconds);
}

std::unique_ptr<Recordset> OdbcConnection::executeAsIs(std::string_view text, int timeoutSeconds) {
    OdbcStatementHandle stmt;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc_.get(), stmt.out())))
        throw diagnostic(SQL_HANDLE_DBC, dbc_.get(), "cannot allocate a statement");
    SQLHSTMT s = stmt.get();
    // A driver without a query time-out leaves the statement to the user's 取消; the cursor
    // settings are ODBC's defaults, asked for so a driver that defaults otherwise is told.
    (void)SQLSetStmtAttr(s, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds)),
                         0);
    (void)SQLSetStmtAttr(s, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY), 0);
    (void)SQLSetStmtAttr(s, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_READ_ONLY), 0);
    running_->set(s);
    try {
        // A cancel that came before the handle was known.
        if (running_->stop.load()) throw DbError::cancelledError();
        const SQLRETURN rc = odbc::executeDirect(s, std::string(text));
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
            throw running_->failure(diagnostic(SQL_HANDLE_STMT, s, "statement failed"));
        return std::make_unique<OdbcRecordset>(std::move(stmt), running_);
    } catch (...) {
        running_->clear(s);
        throw;
    }
}

void OdbcConnection::stopRunningStatement() { running_->cancel(); }

void OdbcConnection::resumeStatements() { running_->stop.store(false); }

}  // namespace tally::data
