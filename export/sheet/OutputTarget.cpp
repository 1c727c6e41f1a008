#include "OutputTarget.h"

#include <unistd.h>
#include <cstdlib>
#include <string_view>

#include "SheetError.h"

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

bool isXls(std::string_view extension) {
    if (extension.size() != 3) return false;
    std::string lower;
    for (char c : extension) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return lower == "xls";
}

}  // namespace

std::optional<std::filesystem::path> findOfficeConverter() {
    if (auto found = onPath("soffice")) return found;
    return onPath("libreoffice");
}

std::filesystem::path fileStem(const std::string& chosenName) {
    const auto slash = chosenName.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = chosenName.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart || dot == nameStart)
        throw SheetError(sheet_errors::kBadFileName,
                         "文件名无效: \"" + chosenName + "\"（文件名须带扩展名，如 .xlsx）");
    return chosenName.substr(0, dot);
}

OutputTarget chooseOutput(const std::string& chosenName, const ConverterLookup& lookup) {
    const std::filesystem::path stem = fileStem(chosenName);
    const std::string extension = chosenName.substr(stem.native().size() + 1);
    OutputTarget target;
    if (isXls(extension)) {
        if (auto converter = lookup ? lookup() : std::nullopt) {
            target.path = stem.native() + ".xls";
            target.format = SheetFileFormat::Xls;
            target.converter = *converter;
            return target;
        }
    }
    target.path = stem.native() + ".xlsx";
    return target;
}

}  // namespace tally::sheet
