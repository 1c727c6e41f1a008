#pragma once
// Turns a finished .xlsx into an .xls with the office program (LibreOffice headless).
// The .xls format holds at most 65,536 rows and 256 columns per sheet, and the converter
// cuts a longer sheet without failing, so the result is read back and its rows counted.
//
// An .xlsx font is one font for every script, but the converter keeps it for East Asian
// text only when the font is installed where it runs: elsewhere Chinese text would come
// out in whatever font it has. So the sheet goes through the flat OpenDocument form, where
// each font is made the East Asian font as well, and on from there to .xls.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tally::sheet {

inline constexpr long long kXlsMaxRows = 65536;
inline constexpr int kXlsMaxColumns = 256;

// Writes `xlsOut` (replacing it); `expectedRows` is the last sheet row that holds a value.
// Throws SheetError when the program fails or the .xls holds fewer rows.
// `fods` (flat OpenDocument XML) with every text style's East Asian font set to its
// Western font.
std::string withAsianFontsAsWestern(std::string_view fods);

// `stopRequested` (may be empty) is asked while the converter runs: true kills it and
// throws SheetError kCancelled.
void convertToXls(const std::filesystem::path& converter, const std::filesystem::path& xlsx,
                  const std::filesystem::path& xlsOut, long long expectedRows,
                  const std::function<bool()>& stopRequested = {});

}  // namespace tally::sheet
