#pragma once
// SQL Server functions the report statements call, for SQLite:
//   CONVERT(char(8), col, 112) -> 'yyyymmdd', CONVERT(char(6), col, 112) -> 'yyyymm'
//   len(text)                  -> length without trailing blanks
// SQLite parses "char(8)" as its own char() function, which yields the one
// character U+0008; convert() takes that character's code as the target length.
struct sqlite3;

namespace tally::data {

// Returns an SQLite result code.
int registerTsqlFunctions(sqlite3* db);

}  // namespace tally::data
