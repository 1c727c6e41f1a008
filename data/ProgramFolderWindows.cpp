#include <windows.h>

#include <string>

#include "ProgramFiles.h"

namespace tally::data {

std::filesystem::path runningProgramFolder() {
    std::wstring name(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);  // cut off: a longer buffer
    }
}

}  // namespace tally::data
