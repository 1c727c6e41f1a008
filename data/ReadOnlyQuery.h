#pragma once
// The program only reads: every statement it sends is one query. This check refuses
// anything else before it reaches either engine, whatever the server or driver would
// allow the login to do.
#include <optional>
#include <string>
#include <string_view>

namespace tally::data {

// Why `sql` is not a single read-only query, or nullopt when it is one: it must start
// with SELECT or WITH (after blanks, comments and opening parentheses), hold no second
// statement after a ";", and no keyword that writes or runs code (INSERT, UPDATE, DELETE,
// INTO, EXEC, PRAGMA, ...) outside its strings and quoted names.
std::optional<std::string> refuseUnlessQuery(std::string_view sql);

// Throws DbError (3906, as the server refuses an update of a read-only database) when
// refuseUnlessQuery gives a reason.
void requireQuery(std::string_view sql);

}  // namespace tally::data
