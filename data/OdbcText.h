#pragma once
// The ODBC calls that carry text. The program's text is UTF-8; how it crosses the driver
// manager differs: on Linux through the narrow calls (FreeTDS is told ClientCharset=UTF-8
// and SQLite's driver speaks UTF-8), on Windows through the wide calls in UTF-16, the
// only ones Windows' driver manager passes on without the user's code page.
#include <optional>
#include <string>

#include "OdbcApi.h"

namespace tally::data::odbc {

SQLRETURN driverConnect(SQLHDBC connection, const std::string& connectionString);
SQLRETURN executeDirect(SQLHSTMT statement, const std::string& sql);

struct Diagnostic {
    SQLINTEGER nativeCode = 0;
    std::string message;
};
// The first diagnostic record of a handle, if it has one.
std::optional<Diagnostic> firstDiagnostic(SQLSMALLINT handleType, SQLHANDLE handle);

// The column's name and SQL type (1-based column).
std::string describeColumn(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT& sqlType);

// The DBMS name the driver reports; empty when it reports none.
std::string dbmsName(SQLHDBC connection);

// A text field of any length, read in pieces: nullopt for NULL. A failed call returns its
// code in `failure` and nullopt.
std::optional<std::string> readText(SQLHSTMT statement, SQLUSMALLINT column, SQLRETURN& failure);

}  // namespace tally::data::odbc
