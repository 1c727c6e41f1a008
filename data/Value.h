#pragma once
// One field value of a result row: Null, a whole number, a real number or a text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tally::data {

// A calendar date with time of day, as read from a date-time column.
struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::string dayKey() const;    // "yyyymmdd"
    std::string monthKey() const;  // "yyyymm"
    std::string isoDate() const;   // "yyyy-mm-dd"
    std::string isoText() const;   // "yyyy-mm-dd hh:mm:ss"
    bool operator==(const DateTime&) const = default;
};

// Parses "YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS[.fff]]" or "YYYY-MM-DDTHH:MM:SS"; nullopt when malformed.
std::optional<DateTime> parseDateTime(std::string_view text);

class Value {
public:
    Value() = default;
    static Value fromInteger(std::int64_t v) {
        Value x;
        x.v_ = v;
        return x;
    }
    static Value fromReal(double v) {
        Value x;
        x.v_ = v;
        return x;
    }
    static Value fromText(std::string v) {
        Value x;
        x.v_ = std::move(v);
        return x;
    }

    // Makes this field the text `v`, reusing the room of the text it held (rows are read
    // into the same fields one after the other).
    void assignText(std::string_view v) {
        if (auto* s = std::get_if<std::string>(&v_)) s->assign(v);
        else v_ = std::string(v);
    }
    // The text a text field holds; null for any other field.
    const std::string* textField() const { return std::get_if<std::string>(&v_); }
    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }
    // The field's whole number when it holds one (not a real number or a text).
    std::optional<std::int64_t> wholeNumber() const {
        if (const auto* v = std::get_if<std::int64_t>(&v_)) return *v;
        return std::nullopt;
    }
    // Text form: "" for Null; numbers in their shortest exact decimal form.
    std::string text() const;
    // Numeric value: 0 for Null; a text is read up to its first non-numeric character.
    double number() const;
    // Date value of a date-time column; nullopt for Null or text that is no date.
    std::optional<DateTime> date() const;

private:
    std::variant<std::monostate, std::int64_t, double, std::string> v_;
};

}  // namespace tally::data
