#include "OutputTarget.h"

#include <string_view>

#include "SheetError.h"
#include "Utf8Path.h"

namespace tally::sheet {

namespace {

bool isXls(std::string_view extension) {
    if (extension.size() != 3) return false;
    std::string lower;
    for (char c : extension) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return lower == "xls";
}

}  // namespace

std::filesystem::path fileStem(const std::string& chosenName) {
    // Windows takes either slash between folders; Linux only '/'.
    const char* separators = std::filesystem::path::preferred_separator == '/' ? "/" : "/\\";
    const auto slash = chosenName.find_last_of(separators);
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = chosenName.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart || dot == nameStart)
        throw SheetError(sheet_errors::kBadFileName,
                         "文件名无效: \"" + chosenName + "\"（文件名须带扩展名，如 .xlsx）");
    return utf8Path(chosenName.substr(0, dot));
}

OutputTarget chooseOutput(const std::string& chosenName, const ConverterLookup& lookup) {
    const std::filesystem::path stem = fileStem(chosenName);
    const std::string extension = chosenName.substr(stem.string().size() + 1);
    OutputTarget target;
    if (isXls(extension)) {
        if (auto converter = lookup ? lookup() : std::nullopt) {
            target.path = utf8Path(stem.string() + ".xls");
            target.format = SheetFileFormat::Xls;
            target.converter = *converter;
            return target;
        }
    }
    target.path = utf8Path(stem.string() + ".xlsx");
    return target;
}

}  // namespace tally::sheet
