#pragma once
// A sum of amount fields as the database's Sum() gives it: Null when every field is Null,
// a whole number while every field is one, a real number otherwise (the fields added in
// the order they come, as the database adds them). A whole-number sum that would pass
// 64 bits goes on as a real number instead of failing.
#include <cstdint>

#include "Value.h"

namespace tally::reports {

class LineSum {
public:
    void add(const data::Value& field);
    data::Value value() const;
    bool isNull() const { return !any_; }

private:
    bool any_ = false, whole_ = true;
    std::int64_t wholeSum_ = 0;
    double realSum_ = 0;  // every field, whole or not
};

}  // namespace tally::reports
