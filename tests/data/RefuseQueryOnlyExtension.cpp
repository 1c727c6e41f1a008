// SQLite loadable extension for tests: refuses "PRAGMA query_only", the last thing
// OdbcConnection does after the driver has connected, so that its constructor fails
// with every handle allocated and the database open.
#include <sqlite3.h>

#include <cstring>

namespace {

int refuseQueryOnly(void*, int action, const char* pragma, const char*, const char*, const char*) {
    return action == SQLITE_PRAGMA && pragma && std::strcmp(pragma, "query_only") == 0 ? SQLITE_DENY : SQLITE_OK;
}

}  // namespace

extern "C" int sqlite3_extension_init(sqlite3* db, char**, const void* /*api*/) {
    return sqlite3_set_authorizer(db, &refuseQueryOnly, nullptr);
}
