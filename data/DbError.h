#pragma once
// Database errors: a number and a description, as the client library reports them.
#include <stdexcept>
#include <string>

namespace tally::data {

class DbError : public std::runtime_error {
public:
    DbError(long number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}
    long number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    long number_;
    std::string description_;
};

// The three ways the system writes an error for the user.
// Department-list loaders: "错误码: N 错误描述: text".
std::string listErrorText(long number, const std::string& description);
// Export routines: "错误号: N错误描述: text".
std::string exportErrorText(long number, const std::string& description);
// Statistics and extraction routines: the number immediately followed by the text.
std::string runErrorText(long number, const std::string& description);

}  // namespace tally::data
