#include "DbError.h"

namespace tally::data {

std::string listErrorText(long number, const std::string& description) {
    return "错误码: " + std::to_string(number) + " 错误描述: " + description;
}

std::string exportErrorText(long number, const std::string& description) {
    return "错误号: " + std::to_string(number) + "错误描述: " + description;
}

std::string runErrorText(long number, const std::string& description) {
    return std::to_string(number) + description;
}

}  // namespace tally::data
