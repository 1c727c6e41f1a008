#include "OdbcConnection.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

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
        if (handle) SQLCancel(handle);
    }
    // A failure after a cancel is the cancel, whatever the driver calls it.
    DbError failure(DbError error) const { return stop.load() ? DbError::cancelledError() : std::move(error); }
};

namespace {

// Text crosses the driver as UTF-8 through the narrow calls: FreeTDS is told so
// (ClientCharset=UTF-8) and SQLite's driver speaks UTF-8 natively.
SQLCHAR* sqlText(std::string& s) { return reinterpret_cast<SQLCHAR*>(s.data()); }

// The first diagnostic record of a handle as a DbError.
DbError diagnostic(SQLSMALLINT type, SQLHANDLE handle, const std::string& fallback) {
    SQLCHAR state[6] = {}, message[2048] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (handle && SQL_SUCCEEDED(SQLGetDiagRec(type, handle, 1, state, &native, message, sizeof message, &length)))
        return DbError(native,
                       std::string(reinterpret_cast<char*>(message), std::min<int>(length, sizeof message - 1)));
    return DbError(-1, fallback);
}

class OdbcRecordset : public Recordset {
public:
    OdbcRecordset(OdbcStatementHandle stmt, std::shared_ptr<OdbcConnection::RunningStatement> running)
        : stmt_(std::move(stmt)), running_(std::move(running)) {
        SQLSMALLINT columns = 0;
        SQLNumResultCols(stmt_.get(), &columns);
        std::vector<std::string> names;
        for (SQLSMALLINT c = 1; c <= columns; ++c) {
            SQLCHAR name[1024] = {};
            SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeCol(stmt_.get(), c, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
            names.emplace_back(reinterpret_cast<char*>(name), std::min<int>(nameLength, sizeof name - 1));
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

    // Text of any length, read in pieces.
    Value readText(SQLUSMALLINT column) {
        std::string text;
        char buffer[4096];
        while (true) {
            SQLLEN indicator = 0;
            SQLRETURN rc = SQLGetData(stmt_.get(), column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA) break;
            check(rc);
            if (indicator == SQL_NULL_DATA) return Value();
            std::size_t bytes = (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer))
                                    ? sizeof buffer - 1
                                    : static_cast<std::size_t>(indicator);
            text.append(buffer, bytes);
            if (rc == SQL_SUCCESS) break;
        }
        return Value::fromText(std::move(text));
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
    SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env_.get(), dbc_.out())))
        throw DbError(-1, "cannot allocate an ODBC connection");
    SQLHDBC dbc = dbc_.get();
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(30), 0);
    SQLSetConnectAttr(dbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    std::string in = connectionString;
    SQLCHAR out[2048];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc =
        SQLDriverConnect(dbc, nullptr, sqlText(in), SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) throw diagnostic(SQL_HANDLE_DBC, dbc, "connection failed");
    dbc_.markConnected();
    SQLCHAR dbms[256] = {};
    SQLSMALLINT dbmsLength = 0;
    SQLGetInfo(dbc, SQL_DBMS_NAME, dbms, sizeof dbms, &dbmsLength);
    dbmsName_ = reinterpret_cast<char*>(dbms);
    speaksSqlite_ = dbmsName_.find("SQLite") != std::string::npos;
    if (speaksSqlite_) executeAsIs("PRAGMA query_only=1");  // the driver has no read-only mode of its own
}

OdbcConnection::~OdbcConnection() = default;

std::vector<std::string> OdbcConnection::columnsOf(const std::string& table) {
    std::vector<std::string> columns;
    try {
        auto rs = executeAsIs("PRAGMA table_info(" + sqlTextLiteral(table) + ")");
        for (; !rs->eof(); rs->moveNext()) columns.push_back(rs->field("name").text());
    } catch (const DbError&) {}
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
    SQLSetStmtAttr(s, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds)), 0);
    SQLSetStmtAttr(s, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY), 0);
    SQLSetStmtAttr(s, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_READ_ONLY), 0);
    std::string copy(text);  // the driver's API takes a mutable buffer
    running_->set(s);
    try {
        // A cancel that came before the handle was known.
        if (running_->stop.load()) throw DbError::cancelledError();
        SQLRETURN rc = SQLExecDirect(s, sqlText(copy), static_cast<SQLINTEGER>(copy.size()));
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
