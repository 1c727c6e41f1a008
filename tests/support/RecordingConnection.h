#pragma once
// Keeps the text of every statement a report sends. Over a real connection it passes
// each one on, and for the embedded engine also keeps the text SQLite is given after
// the T-SQL rewriting; without one every statement fails, for checks that no statement
// is sent at all.
#include <memory>
#include <string>
#include <vector>

#include "Connection.h"

namespace tally::testing {

class RecordingConnection : public data::Connection {
public:
    RecordingConnection() = default;
    explicit RecordingConnection(std::unique_ptr<data::Connection> inner);

    std::string engineName() const override { return inner_ ? inner_->engineName() : "recording"; }

    std::vector<std::string> statements;  // as the reports built them
    std::vector<int> timeouts;            // the limit each statement was given, in seconds
    std::vector<std::string> translated;  // as SQLite received them (embedded engine only)

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view sql, int timeoutSeconds) override;
    void stopRunningStatement() override {
        if (inner_) inner_->interrupt();
    }
    void resumeStatements() override {
        if (inner_) inner_->clearInterrupt();
    }

private:
    std::unique_ptr<data::Connection> inner_;
};

}  // namespace tally::testing
