#include <algorithm>

#include "OdbcText.h"

namespace tally::data::odbc {

namespace {
SQLCHAR* bytes(std::string& s) { return reinterpret_cast<SQLCHAR*>(s.data()); }
}  // namespace

SQLRETURN driverConnect(SQLHDBC connection, const std::string& connectionString) {
    std::string in = connectionString;  // the API takes a mutable buffer
    SQLCHAR out[2048];
    SQLSMALLINT outLength = 0;
    return SQLDriverConnect(connection, nullptr, bytes(in), SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
}

SQLRETURN executeDirect(SQLHSTMT statement, const std::string& sql) {
    std::string copy = sql;
    return SQLExecDirect(statement, bytes(copy), static_cast<SQLINTEGER>(copy.size()));
}

std::optional<Diagnostic> firstDiagnostic(SQLSMALLINT handleType, SQLHANDLE handle) {
    SQLCHAR state[6] = {}, message[2048] = {};
    Diagnostic found;
    SQLSMALLINT length = 0;
    if (!handle || !SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, 1, state, &found.nativeCode, message,
                                                sizeof message, &length)))
        return std::nullopt;
    found.message.assign(reinterpret_cast<char*>(message), std::clamp<int>(length, 0, sizeof message - 1));
    return found;
}

std::string describeColumn(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT& sqlType) {
    SQLCHAR name[1024] = {};
    SQLSMALLINT nameLength = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    sqlType = 0;
    if (!SQL_SUCCEEDED(
            SQLDescribeCol(statement, column, name, sizeof name, &nameLength, &sqlType, &size, &digits, &nullable)))
        return {};
    return std::string(reinterpret_cast<char*>(name), std::clamp<int>(nameLength, 0, sizeof name - 1));
}

std::string dbmsName(SQLHDBC connection) {
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, SQL_DBMS_NAME, name, sizeof name, &length))) return {};
    return reinterpret_cast<char*>(name);
}

std::optional<std::string> readText(SQLHSTMT statement, SQLUSMALLINT column, SQLRETURN& failure) {
    std::string text;
    char buffer[4096];
    while (true) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(statement, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) {
            failure = rc;
            return std::nullopt;
        }
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        // A piece that did not fit fills the buffer but for its terminating zero.
        const std::size_t bytes = (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer))
                                      ? sizeof buffer - 1
                                      : static_cast<std::size_t>(indicator);
        text.append(buffer, bytes);
        if (rc == SQL_SUCCESS) break;
    }
    return text;
}

}  // namespace tally::data::odbc
