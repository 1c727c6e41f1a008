#pragma once
// Owners for unixODBC handles, so that every way out of the code that allocated them frees
// them once. Handles are held as void* (what SQLHANDLE is) to keep <sql.h> out of headers.
#include <utility>

namespace tally::data {

// SQLFreeHandle for the handle types below.
void freeOdbcHandle(short type, void* handle) noexcept;

// One handle of type `Type` (SQL_HANDLE_ENV = 1, SQL_HANDLE_DBC = 2, SQL_HANDLE_STMT = 3).
template <short Type>
class OdbcHandle {
public:
    OdbcHandle() = default;
    ~OdbcHandle() { reset(); }
    OdbcHandle(OdbcHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OdbcHandle& operator=(OdbcHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    void* get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    // Where SQLAllocHandle puts the new handle; frees the one held before.
    void** out() noexcept {
        reset();
        return &handle_;
    }
    void reset() noexcept {
        if (handle_) freeOdbcHandle(Type, std::exchange(handle_, nullptr));
    }

private:
    void* handle_ = nullptr;
};

using OdbcEnvironmentHandle = OdbcHandle<1>;
using OdbcStatementHandle = OdbcHandle<3>;

// A connection handle: disconnected first if it was connected, then freed.
class OdbcConnectionHandle {
public:
    OdbcConnectionHandle() = default;
    ~OdbcConnectionHandle() { reset(); }
    OdbcConnectionHandle(OdbcConnectionHandle&& other) noexcept
        : handle_(std::move(other.handle_)), connected_(std::exchange(other.connected_, false)) {}
    OdbcConnectionHandle& operator=(OdbcConnectionHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::move(other.handle_);
            connected_ = std::exchange(other.connected_, false);
        }
        return *this;
    }

    void* get() const noexcept { return handle_.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(handle_); }
    void** out() noexcept {
        reset();
        return handle_.out();
    }
    // Call once SQLDriverConnect (or SQLConnect) has succeeded.
    void markConnected() noexcept { connected_ = static_cast<bool>(handle_); }
    void reset() noexcept;

private:
    OdbcHandle<2> handle_;
    bool connected_ = false;
};

}  // namespace tally::data
