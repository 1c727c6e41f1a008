#pragma once
// Export failures: a number and a description, shown to the user as the export routines do.
#include <stdexcept>
#include <string>

namespace tally::sheet {

struct SheetError : std::runtime_error {
    SheetError(int number, std::string description);

    int number;
    std::string description;

    // How the export routines show it: "错误号: N错误描述: text", after the cause in
    // Chinese words when the number names a common one ("磁盘已满: 错误号: 28...").
    std::string messageText() const;
};

// Chinese words for a file-system failure the user can act on (errno numbers); "" for the rest.
std::string fileCauseText(int number);

// The same text for a failure that is not a SheetError (number 0).
std::string exportErrorText(int number, const std::string& description);

// Numbers of the writer's own refusals. Workbook-library failures carry 1000 + the
// library's code; file-system failures carry errno.
namespace sheet_errors {
inline constexpr int kBadFileName = 52;  // the number the old runtime gave a bad file name
inline constexpr int kTooLargeForFormat = 2001;
inline constexpr int kCellOutOfOrder = 2002;
inline constexpr int kBadCell = 2003;
inline constexpr int kConversionFailed = 2004;
inline constexpr int kWorkbookClosed = 2005;
inline constexpr int kCancelled = 2006;  // the user stopped the export; nothing was written
inline constexpr int kLibraryBase = 1000;
}  // namespace sheet_errors

// A failure of a file-system call on `path`, numbered with errno.
SheetError fileError(int errnoValue, const std::string& what, const std::string& path);

}  // namespace tally::sheet
