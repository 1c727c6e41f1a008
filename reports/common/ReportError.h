#pragma once
// The one error type of the report engines: a number and a description, and how the
// routine that met it writes it for the user. Engine calls never throw it: they hand it
// back in an Outcome, or beside the partial result they keep.
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "DbError.h"

namespace tally::reports {

// Said when a command finds no database to work on.
inline constexpr const char* kNoConnection = "数据库未连接";

struct ReportError {
    // The two ways the report routines write a database error.
    enum class Form {
        Run,   // statistics and extraction: the number immediately followed by the text
        List,  // the lists loaded when a window opens: "错误码: N 错误描述: text"
    };

    long number = 0;
    std::string description;
    // A refused selection (the user's input), as opposed to a database failure.
    bool refusedSelection = false;
    Form form = Form::Run;

    static ReportError fromDb(const data::DbError& e, Form form = Form::Run) {
        return {e.number(), e.description(), false, form};
    }
    static ReportError refused(std::string message) { return {0, std::move(message), true, Form::Run}; }

    // The text the user is shown: a refused selection shows its message alone; a database
    // failure with a common cause names it in Chinese before the number and the text.
    std::string messageText() const;
};

// Chinese words for a database failure the user can act on ("数据库被锁定" for a busy
// database, ...); "" when the number names no such cause.
std::string databaseCauseText(long number);

// The message texts of the two forms.
std::string runErrorText(long number, const std::string& description);
std::string listErrorText(long number, const std::string& description);

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
