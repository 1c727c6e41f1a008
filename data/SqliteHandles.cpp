#include "SqliteHandles.h"

#include <sqlite3.h>

namespace tally::data {

void SqliteClose::operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }

void SqliteFinalize::operator()(sqlite3_stmt* stmt) const noexcept { sqlite3_finalize(stmt); }

}  // namespace tally::data
