#include <windows.h>

#include <string>

#include "OutputTarget.h"

namespace tally::sheet {

namespace {

std::wstring environmentValue(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

bool isProgram(const std::filesystem::path& candidate) {
    std::error_code error;
    return std::filesystem::is_regular_file(candidate, error);
}

std::optional<std::filesystem::path> onPath(const wchar_t* program) {
    const std::wstring path = environmentValue(L"PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find(L';', start), path.size());
        std::wstring folder = path.substr(start, end - start);
        // PATH entries may be quoted when they hold a ';'.
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"')
            folder = folder.substr(1, folder.size() - 2);
        if (!folder.empty()) {
            const std::filesystem::path candidate = std::filesystem::path(folder) / program;
            if (isProgram(candidate)) return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace

// LibreOffice's installer does not put soffice on PATH: its usual folders are tried after it.
std::optional<std::filesystem::path> findOfficeConverter() {
    if (auto found = onPath(L"soffice.exe")) return found;
    for (const wchar_t* root : {L"ProgramFiles", L"ProgramW6432", L"ProgramFiles(x86)"}) {
        const std::wstring folder = environmentValue(root);
        if (folder.empty()) continue;
        const std::filesystem::path candidate =
            std::filesystem::path(folder) / L"LibreOffice" / L"program" / L"soffice.exe";
        if (isProgram(candidate)) return candidate;
    }
    return std::nullopt;
}

}  // namespace tally::sheet
