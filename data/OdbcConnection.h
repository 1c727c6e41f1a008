#pragma once
// A database reached through unixODBC: SQL Server through FreeTDS, or (in tests)
// SQLite through its ODBC driver with the T-SQL functions loaded as an extension.
#include <memory>
#include <string>

#include "Connection.h"
#include "OdbcHandles.h"

namespace tally::data {

class OdbcConnection : public Connection {
public:
    // Connects read-only with a 30-second login timeout; throws DbError on failure.
    explicit OdbcConnection(const std::string& connectionString);
    ~OdbcConnection() override;

    std::string engineName() const override { return "odbc"; }
    // The server product as the driver names it ("Microsoft SQL Server", "SQLite", ...).
    const std::string& dbmsName() const { return dbmsName_; }

    // The statement handle in use, for SQLCancel from another thread.
    struct RunningStatement;

protected:
    std::unique_ptr<Recordset> execute(std::string_view sql, int timeoutSeconds) override;
    void stopRunningStatement() override;
    void resumeStatements() override;

private:
    // Runs a statement as it is: the program's own catalogue reads and settings.
    std::unique_ptr<Recordset> executeAsIs(std::string_view text, int timeoutSeconds = kDefaultTimeoutSeconds);
    std::vector<std::string> columnsOf(const std::string& table);

    // In this order: the connection goes before its environment.
    OdbcEnvironmentHandle env_;
    OdbcConnectionHandle dbc_;
    std::string dbmsName_;
    bool speaksSqlite_ = false;
    std::shared_ptr<RunningStatement> running_;  // shared with the recordsets handed out
};

}  // namespace tally::data
