#pragma once
// Database errors: a number and a description, as the client library reports them.
// The data layer only throws them; the layers above decide how the user is told.
#include <stdexcept>
#include <string>

namespace tally::data {

class DbError : public std::runtime_error {
public:
    DbError(long number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}
    long number() const { return number_; }
    const std::string& description() const { return description_; }

    // A statement stopped by Connection::interrupt(): the user cancelled, nothing failed.
    static constexpr long kCancelledNumber = -2147217842;  // ADO's "operation was cancelled"
    static DbError cancelledError() { return DbError(kCancelledNumber, "Operation cancelled"); }
    bool cancelled() const { return number_ == kCancelledNumber; }

private:
    long number_;
    std::string description_;
};

}  // namespace tally::data
