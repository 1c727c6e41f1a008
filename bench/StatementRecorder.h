#pragma once
// A connection that hands every statement on to another one and keeps its text, so
// the statements the engines build can be looked at (plans, timings) exactly as sent.
#include <string>
#include <vector>

#include "Connection.h"

namespace tally::bench {

class StatementRecorder : public data::Connection {
public:
    explicit StatementRecorder(data::Connection& target) : target_(target) {}

    std::string engineName() const override { return target_.engineName(); }

    // Every statement opened so far, in order.
    const std::vector<std::string>& statements() const { return statements_; }
    void clear() { statements_.clear(); }

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view sql, int timeoutSeconds) override;

private:
    data::Connection& target_;
    std::vector<std::string> statements_;
};

}  // namespace tally::bench
