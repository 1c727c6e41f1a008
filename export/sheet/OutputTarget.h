#pragma once
// Which file an export really writes, decided from the name the user chose.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tally::sheet {

enum class SheetFileFormat { Xlsx, Xls };

struct OutputTarget {
    std::filesystem::path path;  // the file that will be written
    SheetFileFormat format = SheetFileFormat::Xlsx;
    std::filesystem::path converter;  // the office program that makes .xls files
    // Asked while the .xls conversion runs; true stops the converter and the save fails
    // with kCancelled, leaving no file. May be empty.
    std::function<bool()> stopRequested = {};
};

// Finds the office program that converts workbooks (soffice, then libreoffice, on PATH).
using ConverterLookup = std::function<std::optional<std::filesystem::path>()>;
std::optional<std::filesystem::path> findOfficeConverter();

// The chosen path up to, not including, the last "." of its file-name part.
// Throws SheetError (kBadFileName) when the file-name part has no "." or nothing before it.
std::filesystem::path fileStem(const std::string& chosenName);

// ".xls" (any case) becomes an .xls file when the converter is found; every other name,
// and ".xls" without a converter, becomes stem + ".xlsx".
OutputTarget chooseOutput(const std::string& chosenName, const ConverterLookup& lookup = findOfficeConverter);

}  // namespace tally::sheet
