#include <algorithm>
#include <cwchar>
#include <vector>

#include "OdbcText.h"

namespace tally::data::odbc {

namespace {

std::wstring toUtf16(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string toUtf8(const wchar_t* text, std::size_t length) {
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

SQLWCHAR* units(std::wstring& s) { return reinterpret_cast<SQLWCHAR*>(s.data()); }

// The text a call wrote into `buffer`, up to its terminating zero: a driver manager that
// converts for a driver without the wide calls may report the narrow length instead
// (unixODBC under Wine reports a name's UTF-8 bytes).
std::string written(const SQLWCHAR* buffer, std::size_t capacity, std::size_t reported) {
    const auto* text = reinterpret_cast<const wchar_t*>(buffer);
    return toUtf8(text, std::min(reported, wcsnlen(text, capacity)));
}

}  // namespace

SQLRETURN driverConnect(SQLHDBC connection, const std::string& connectionString) {
    std::wstring in = toUtf16(connectionString);
    SQLWCHAR out[2048];
    SQLSMALLINT outLength = 0;
    return SQLDriverConnectW(connection, nullptr, units(in), SQL_NTS, out, 2048, &outLength, SQL_DRIVER_NOPROMPT);
}

SQLRETURN executeDirect(SQLHSTMT statement, const std::string& sql) {
    std::wstring wide = toUtf16(sql);
    return SQLExecDirectW(statement, units(wide), static_cast<SQLINTEGER>(wide.size()));
}

std::optional<Diagnostic> firstDiagnostic(SQLSMALLINT handleType, SQLHANDLE handle) {
    SQLWCHAR state[6] = {}, message[2048] = {};
    Diagnostic found;
    SQLSMALLINT length = 0;  // in characters
    if (!handle ||
        !SQL_SUCCEEDED(SQLGetDiagRecW(handleType, handle, 1, state, &found.nativeCode, message, 2048, &length)))
        return std::nullopt;
    found.message = written(message, 2047, static_cast<std::size_t>(std::max<int>(length, 0)));
    return found;
}

std::string describeColumn(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT& sqlType) {
    SQLWCHAR name[1024] = {};
    SQLSMALLINT nameLength = 0, digits = 0, nullable = 0;  // in characters
    SQLULEN size = 0;
    sqlType = 0;
    if (!SQL_SUCCEEDED(
            SQLDescribeColW(statement, column, name, 1024, &nameLength, &sqlType, &size, &digits, &nullable)))
        return {};
    return written(name, 1023, static_cast<std::size_t>(std::max<int>(nameLength, 0)));
}

std::string dbmsName(SQLHDBC connection) {
    SQLWCHAR name[256] = {};
    SQLSMALLINT bytes = 0;
    if (!SQL_SUCCEEDED(SQLGetInfoW(connection, SQL_DBMS_NAME, name, sizeof name, &bytes))) return {};
    return written(name, 255, static_cast<std::size_t>(std::max<int>(bytes, 0)) / sizeof(SQLWCHAR));
}

std::optional<std::string> readText(SQLHSTMT statement, SQLUSMALLINT column, SQLRETURN& failure) {
    // The pieces are joined as UTF-16 first: a piece may end between the two halves of a
    // character outside the basic plane.
    std::vector<wchar_t> text;
    SQLWCHAR buffer[2048];
    while (true) {
        SQLLEN indicator = 0;  // in bytes
        const SQLRETURN rc = SQLGetData(statement, column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) {
            failure = rc;
            return std::nullopt;
        }
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        const std::size_t bytes = (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer))
                                      ? sizeof buffer - sizeof(SQLWCHAR)
                                      : static_cast<std::size_t>(indicator);
        const auto* piece = reinterpret_cast<const wchar_t*>(buffer);
        text.insert(text.end(), piece, piece + wcsnlen(piece, bytes / sizeof(SQLWCHAR)));
        if (rc == SQL_SUCCESS) break;
    }
    return toUtf8(text.data(), text.size());
}

}  // namespace tally::data::odbc
