#pragma once
// Windows' error codes as the errno values the export messages are keyed by.
#include <windows.h>

namespace tally::sheet {

int errnoFromWindowsError(DWORD error);

}  // namespace tally::sheet
