#pragma once
// Builds ODBC connection strings from the four connection settings.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tally::data {

// One attribute value as ODBC requires it: wrapped in braces (with "}" doubled)
// when it contains a character that could end it or start another attribute.
// A value with a NUL byte cannot be passed at all: these functions throw DbError.
std::string odbcAttributeValue(std::string_view value);

// SQL Server through FreeTDS. server is "host", "host\instance" or "host,port".
std::string freeTdsConnectionString(std::string_view login, std::string_view password, std::string_view catalog,
                                    std::string_view server);

// A given ODBC connection string with the login and password added (when not empty).
std::string withCredentials(std::string_view connectionString, std::string_view login, std::string_view password);

// The attributes of a connection string as (key, value) pairs in order, braces removed
// from braced values ("}}" read as "}"). Keys keep their case; empty parts are skipped.
std::vector<std::pair<std::string, std::string>> odbcAttributes(std::string_view connectionString);

// SQLite's ODBC driver runs the report statements only with the T-SQL functions loaded:
// when the string names that driver (Driver=SQLite3...) and loads no extension itself,
// LoadExt=extensionPath is added. Any other string, or an empty path, is returned as it is.
std::string withSqliteExtension(std::string_view connectionString, std::string_view extensionPath);

// True when the string names SQLite's ODBC driver but no database file (nor a data source):
// what is left of a settings value cut at its first ";".
bool namesSqliteDriverWithoutDatabase(std::string_view connectionString);

}  // namespace tally::data
