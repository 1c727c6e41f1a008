#pragma once
// Passes every statement on to another connection and writes it to a log, exactly as
// sent, with how long it took and how many rows were read (--sql-log, TALLYVANE_SQL_LOG).
// An entry is written when its rows have all been read, when the caller lets them go,
// or when the statement fails:
//
//   -- 12.3 ms, 40 rows
//   Select ...
//   (blank line)
//
// Only statements pass through here; the connection string, and so the password, never does.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "Connection.h"

namespace tally::data {

class LoggingConnection : public Connection {
public:
    // Appends to the file at `logPath`; throws DbError when it cannot be opened.
    LoggingConnection(std::unique_ptr<Connection> inner, const std::string& logPath);
    ~LoggingConnection() override;
    LoggingConnection(const LoggingConnection&) = delete;
    LoggingConnection& operator=(const LoggingConnection&) = delete;

    std::string engineName() const override { return inner_->engineName(); }
    // The inner connection's sibling, its statements written to the same log.
    Connection* sibling() override;
    void note(const std::string& text) override;

protected:
    std::unique_ptr<Recordset> execute(std::string_view sql, int timeoutSeconds) override;
    void stopRunningStatement() override { inner_->interrupt(); }
    void resumeStatements() override { inner_->clearInterrupt(); }

private:
    LoggingConnection(Connection& inner, std::shared_ptr<std::FILE> log);

    std::unique_ptr<Connection> owned_;  // null on a sibling: its owner's inner connection keeps its inner one
    Connection* inner_;
    std::shared_ptr<std::FILE> log_;  // the recordsets handed out may outlive the connection
    std::unique_ptr<LoggingConnection> sibling_;
};

}  // namespace tally::data
