#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "OutputTarget.h"

namespace tally::sheet {

namespace {

std::optional<std::filesystem::path> onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path) return std::nullopt;
    std::string_view rest = path;
    while (true) {
        const auto colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        if (!dir.empty()) {
            std::filesystem::path candidate = std::filesystem::path(dir) / program;
            if (::access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) return candidate;
        }
        if (colon == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(colon + 1);
    }
}

}  // namespace

std::optional<std::filesystem::path> findOfficeConverter() {
    if (auto found = onPath("soffice")) return found;
    return onPath("libreoffice");
}

}  // namespace tally::sheet
