#pragma once
// Small purpose-built fee databases for the reconciliation tests.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Connection.h"
#include "ReconciliationSelection.h"
#include "TestDatabase.h"

namespace tally::testing {

// Ticket types 01 special, 02 ordinary, 03 receipt, 04 another type with 定额 0 and
// 09 a fixed-value type (定额 1), each with a stock-in batch "R" + code.
class ReconciliationDatabase : public TestDatabase {
public:
    explicit ReconciliationDatabase(bool withReceiptType = true);

    // A fee item with its tax-control rate for an office (Null when no rate).
    void item(const std::string& code, const std::string& name, std::optional<double> rate,
              const std::string& office = "GL1");
    // A tax-control setting of an item already added.
    void setting(const std::string& code, std::optional<double> rate, const std::string& office);
    // A ticket of one fee line; dates "yyyy-mm-dd", collected nullopt when not collected.
    void ticket(const std::string& type, const std::string& invoiced, std::optional<std::string> collected,
                const std::string& code, double amount, double tax, const std::string& department = "D1",
                bool voided = false);

private:
    int tickets_ = 0;
};

// Department D1 of office GL1, year 2024.
reports::reconciliation::ReconciliationSelection selectionFor(const std::string& startMonth,
                                                              const std::string& endMonth);

// Passes statements to the real connection, records them, and fails those the predicate picks.
class FailingConnection : public data::Connection {
public:
    FailingConnection(std::unique_ptr<data::Connection> inner, std::function<bool(std::string_view)> fails,
                      data::DbError error = data::DbError(-2147217900, "语法错误"));
    std::string engineName() const override { return inner_->engineName(); }

    std::vector<std::string> statements;  // every statement asked for, failing ones included
    std::vector<int> timeouts;            // the limit each was given, in seconds

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view sql, int timeoutSeconds) override;

private:
    std::unique_ptr<data::Connection> inner_;
    std::function<bool(std::string_view)> fails_;
    data::DbError error_;
};

bool contains(std::string_view text, std::string_view part);

}  // namespace tally::testing
