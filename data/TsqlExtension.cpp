// SQLite loadable extension with the T-SQL functions, for SQLite reached through ODBC.
#include <sqlite3.h>

#include "SqliteFunctions.h"

extern "C" int sqlite3_extension_init(sqlite3* db, char** errorMessage, const void* /*api*/) {
    int rc = tally::data::registerTsqlFunctions(db);
    if (rc != SQLITE_OK && errorMessage) *errorMessage = sqlite3_mprintf("cannot register T-SQL functions");
    return rc;
}
