#include "ProgramFiles.h"

#include <system_error>

namespace tally::data {

std::string findTsqlExtension(const std::filesystem::path& programFolder) {
    std::error_code error;
    if (!programFolder.empty()) {
        const auto installed = (programFolder / TALLYVANE_TSQL_EXTENSION_FROM_BIN).lexically_normal();
        if (std::filesystem::is_regular_file(installed, error)) return installed.string();
    }
    const std::filesystem::path built = TALLYVANE_TSQL_EXTENSION_BUILT;
    if (std::filesystem::is_regular_file(built, error)) return built.string();
    return {};
}

std::string tsqlExtensionPath() { return findTsqlExtension(runningProgramFolder()); }

}  // namespace tally::data
