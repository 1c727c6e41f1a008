#include "FileOutput.h"

#include <exception>

#include "SheetError.h"

namespace tally::cli {

std::string isoDate(const std::string& dayKey) {
    return dayKey.size() == 8 ? dayKey.substr(0, 4) + "-" + dayKey.substr(4, 2) + "-" + dayKey.substr(6, 2) : dayKey;
}

int reportWriteFailure(std::ostream& err) {
    try {
        throw;
    } catch (const sheet::SheetError& e) {
        err << e.messageText() << "\n";
    } catch (const std::exception& e) {
        err << sheet::exportErrorText(0, e.what()) << "\n";
    }
    return 1;
}

}  // namespace tally::cli
