#include "SheetError.h"

#include <cstring>

namespace tally::sheet {

SheetError::SheetError(int number, std::string description)
    : std::runtime_error(description), number(number), description(std::move(description)) {}

SheetError fileError(int errnoValue, const std::string& what, const std::string& path) {
    return SheetError(errnoValue, what + " " + path + ": " + std::strerror(errnoValue));
}

}  // namespace tally::sheet
