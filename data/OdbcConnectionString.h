#pragma once
// Builds ODBC connection strings from the four connection settings.
#include <string>
#include <string_view>

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

}  // namespace tally::data
