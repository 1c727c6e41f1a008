#include "LineSum.h"

namespace tally::reports {

void LineSum::add(const data::Value& field) {
    if (field.isNull()) return;
    any_ = true;
    realSum_ += field.number();
    if (!whole_) return;
    const auto whole = field.wholeNumber();
    whole_ = whole && !__builtin_add_overflow(wholeSum_, *whole, &wholeSum_);
}

data::Value LineSum::value() const {
    if (!any_) return {};
    return whole_ ? data::Value::fromInteger(wholeSum_) : data::Value::fromReal(realSum_);
}

}  // namespace tally::reports
