#pragma once
// A database connection, whichever engine is behind it. The program opens one at start
// and hands it to whatever needs it; nothing reaches it through a global.
#include <atomic>
#include <memory>
#include <mutex>
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
    // After interrupt() every call fails with DbError::cancelled() until clearInterrupt().
    std::unique_ptr<Recordset> open(std::string_view sql, int timeoutSeconds = kDefaultTimeoutSeconds) {
        if (interrupted()) throw DbError::cancelledError();
        return execute(sql, timeoutSeconds < 0 ? kNoTimeout : timeoutSeconds);
    }

    // "sqlite" or "odbc"; for messages and tests.
    virtual std::string engineName() const = 0;

    // Stops the statement running on another thread as soon as the engine lets it, and
    // refuses the statements after it: they fail with DbError::cancelled(). Safe from any
    // thread. Only the thread holding turn() may call it, or it stops someone else's work.
    void interrupt() {
        interrupted_.store(true);
        stopRunningStatement();
    }
    // Lets statements run again after interrupt(); called by the holder of turn().
    void clearInterrupt() {
        interrupted_.store(false);
        resumeStatements();
    }
    bool interrupted() const { return interrupted_.load(); }

    // One thread at a time runs statements here: work off the window's thread holds this
    // for the whole of its run, so two windows sharing the connection take turns.
    std::timed_mutex& turn() { return turn_; }

    // A second connection to the same database, for a statement read on another thread
    // while this one runs its own; kept for the next calls. Null when the engine offers
    // none (a server's login is not repeated). Whoever holds this connection's turn may
    // use it; interrupt() here stops its statement too.
    virtual Connection* sibling() { return nullptr; }

    // A line about something that went wrong outside a statement, for a connection that
    // keeps a log of what it ran (the SQL log); others keep nothing.
    virtual void note(const std::string& text) { (void)text; }

protected:
    // The engine's part of open(): `timeoutSeconds` is 0 (no limit) or more.
    virtual std::unique_ptr<Recordset> execute(std::string_view sql, int timeoutSeconds) = 0;
    // The engine's part of interrupt() and clearInterrupt(); a connection that wraps
    // another passes them on. Called from any thread.
    virtual void stopRunningStatement() {}
    virtual void resumeStatements() {}

private:
    std::atomic<bool> interrupted_{false};
    std::timed_mutex turn_;
};

}  // namespace tally::data
