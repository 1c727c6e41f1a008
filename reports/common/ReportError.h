#pragma once
// What an engine call hands back instead of throwing: a result, or an error with a
// number and a description, ready for the window's message.
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "DbError.h"

namespace tally::reports {

struct ReportError {
    long number = 0;
    std::string description;
    // A refused selection (the user's input), as opposed to a database failure.
    bool refusedSelection = false;

    static ReportError fromDb(const data::DbError& e) { return {e.number(), e.description(), false}; }
    static ReportError refused(std::string message) { return {0, std::move(message), true}; }
    // How the statistics and extraction routines show it: number then description;
    // a refused selection shows its message alone.
    std::string messageText() const;
};

template <class T>
class Outcome {
public:
    Outcome(T value) : v_(std::move(value)) {}
    Outcome(ReportError error) : v_(std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    T& value() { return std::get<0>(v_); }
    const T& value() const { return std::get<0>(v_); }
    const ReportError& error() const { return std::get<1>(v_); }

private:
    std::variant<T, ReportError> v_;
};

}  // namespace tally::reports
