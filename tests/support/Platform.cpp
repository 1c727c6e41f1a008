#include "Platform.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace tally::testing {

#ifdef _WIN32

std::string hostPath(const std::filesystem::path& path) {
    // Wine's own export, freed with HeapFree; on Windows itself there is none and no host.
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(std::filesystem::absolute(path).c_str()) : nullptr;
    if (!name) return path.string();
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::filesystem::path programPath() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) return name.substr(0, length);
        name.resize(name.size() * 2);
    }
}

std::vector<std::string> programArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i) arguments.push_back(std::filesystem::path(wide[i]).string());
    if (wide) LocalFree(wide);
    return arguments;
}

#else

std::string hostPath(const std::filesystem::path& path) { return path.string(); }

bool underWine() { return false; }

std::filesystem::path programPath() { return std::filesystem::read_symlink("/proc/self/exe"); }

std::vector<std::string> programArguments(int argc, char** argv) { return {argv, argv + argc}; }

#endif

}  // namespace tally::testing
