#include "ReportError.h"

namespace tally::reports {

std::string ReportError::messageText() const {
    return refusedSelection ? description : data::runErrorText(number, description);
}

}  // namespace tally::reports
