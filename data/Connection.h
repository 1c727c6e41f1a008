#pragma once
// The one database connection of the process, whichever engine is behind it.
#include <memory>
#include <string>
#include <string_view>

#include "Recordset.h"

namespace tally::data {

class Connection {
public:
    virtual ~Connection() = default;

    // Runs one statement and returns its rows; throws DbError on any failure.
    virtual std::unique_ptr<Recordset> open(std::string_view sql) = 0;

    // Seconds a statement may run; 0 means no limit.
    int commandTimeout() const { return commandTimeout_; }
    void setCommandTimeout(int seconds) { commandTimeout_ = seconds < 0 ? 0 : seconds; }

    // "sqlite" or "odbc"; for messages and tests.
    virtual std::string engineName() const = 0;

private:
    int commandTimeout_ = 30;
};

}  // namespace tally::data
