#include "ReportError.h"

namespace tally::reports {

std::string runErrorText(long number, const std::string& description) { return std::to_string(number) + description; }

std::string listErrorText(long number, const std::string& description) {
    return "错误码: " + std::to_string(number) + " 错误描述: " + description;
}

std::string ReportError::messageText() const {
    if (refusedSelection) return description;
    return form == Form::List ? listErrorText(number, description) : runErrorText(number, description);
}

}  // namespace tally::reports
