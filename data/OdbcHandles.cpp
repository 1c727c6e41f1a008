#include "OdbcHandles.h"

#include <sql.h>

namespace tally::data {

static_assert(SQL_HANDLE_ENV == 1 && SQL_HANDLE_DBC == 2 && SQL_HANDLE_STMT == 3,
              "OdbcHandle's type numbers are unixODBC's");

void freeOdbcHandle(short type, void* handle) noexcept { SQLFreeHandle(type, handle); }

void OdbcConnectionHandle::reset() noexcept {
    if (connected_) SQLDisconnect(handle_.get());
    connected_ = false;
    handle_.reset();
}

}  // namespace tally::data
