#include "SheetError.h"

#include <cstring>

namespace tally::sheet {

SheetError::SheetError(int number, std::string description)
    : std::runtime_error(description), number(number), description(std::move(description)) {}

std::string exportErrorText(int number, const std::string& description) {
    return "错误号: " + std::to_string(number) + "错误描述: " + description;
}

std::string SheetError::messageText() const { return exportErrorText(number, description); }

SheetError fileError(int errnoValue, const std::string& what, const std::string& path) {
    return SheetError(errnoValue, what + " " + path + ": " + std::strerror(errnoValue));
}

}  // namespace tally::sheet
