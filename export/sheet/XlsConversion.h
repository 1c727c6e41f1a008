#pragma once
// Turns a finished .xlsx into an .xls with the office program (LibreOffice headless).
// The .xls format holds at most 65,536 rows and 256 columns per sheet, and the converter
// cuts a longer sheet without failing, so the result is read back and its rows counted.
#include <filesystem>

namespace tally::sheet {

inline constexpr long long kXlsMaxRows = 65536;
inline constexpr int kXlsMaxColumns = 256;

// Writes `xlsOut` (replacing it); `expectedRows` is the last sheet row that holds a value.
// Throws SheetError when the program fails or the .xls holds fewer rows.
void convertToXls(const std::filesystem::path& converter, const std::filesystem::path& xlsx,
                  const std::filesystem::path& xlsOut, long long expectedRows);

}  // namespace tally::sheet
