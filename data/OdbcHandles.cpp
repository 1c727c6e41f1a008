#include "OdbcHandles.h"

#include "OdbcApi.h"

namespace tally::data {

static_assert(SQL_HANDLE_ENV == 1 && SQL_HANDLE_DBC == 2 && SQL_HANDLE_STMT == 3,
              "OdbcHandle's type numbers are unixODBC's");

// On the way out nothing more can be done about a handle the driver fails to free.
void freeOdbcHandle(short type, void* handle) noexcept { (void)SQLFreeHandle(type, handle); }

void OdbcConnectionHandle::reset() noexcept {
    if (connected_) (void)SQLDisconnect(handle_.get());  // freed below whatever it answers
    connected_ = false;
    handle_.reset();
}

}  // namespace tally::data
