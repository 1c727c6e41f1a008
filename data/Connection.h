#pragma once
// A database connection, whichever engine is behind it. The program opens one at start
// and hands it to whatever needs it; nothing reaches it through a global.
#include <memory>
#include <string>
#include <string_view>

#include "Recordset.h"

namespace tally::data {

class Connection {
public:
    // Seconds a statement may run unless its caller says otherwise.
    static constexpr int kDefaultTimeoutSeconds = 30;
    // A timeout of 0 lets a statement run as long as it takes (the report statements).
    static constexpr int kNoTimeout = 0;

    Connection() = default;
    virtual ~Connection() = default;
    // A connection owns its engine's handles: it is never copied.
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one statement and returns its rows; throws DbError on any failure, a timeout
    // included. A negative timeout counts as no limit. The limit holds for this call only.
    std::unique_ptr<Recordset> open(std::string_view sql, int timeoutSeconds = kDefaultTimeoutSeconds) {
        return execute(sql, timeoutSeconds < 0 ? kNoTimeout : timeoutSeconds);
    }

    // "sqlite" or "odbc"; for messages and tests.
    virtual std::string engineName() const = 0;

protected:
    // The engine's part of open(): `timeoutSeconds` is 0 (no limit) or more.
    virtual std::unique_ptr<Recordset> execute(std::string_view sql, int timeoutSeconds) = 0;
};

}  // namespace tally::data
