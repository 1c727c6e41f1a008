#include <windows.h>

#include <cerrno>
#include <random>

#include "PlatformFiles.h"
#include "WindowsErrors.h"

namespace tally::sheet::platform {

namespace {
int lastError() { return errnoFromWindowsError(GetLastError()); }
}  // namespace

int createNewFile(const std::filesystem::path& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lastError();
    CloseHandle(file);
    return 0;
}

int flushToDisk(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lastError();
    const int error = FlushFileBuffers(file) ? 0 : lastError();
    CloseHandle(file);
    return error;
}

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // WRITE_THROUGH: the call returns once the new name is on the disk.
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : lastError();
}

int makePrivateFolder(const std::string& prefix, std::filesystem::path& made) {
    // The user's own temporary folder is closed to other users already.
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::mt19937_64 random{std::random_device{}()};
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) return ENOENT;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        for (int i = 0; i < 6; ++i) name += letters[random() % (sizeof letters - 1)];
        if (CreateDirectoryW((folder / name).c_str(), nullptr)) {
            made = folder / name;
            return 0;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return lastError();
    }
    return EEXIST;
}

namespace {

bool plainAscii(const std::wstring& text) {
    for (wchar_t c : text)
        if (c > 0x7e || c < 0x20) return false;
    return true;
}

std::string ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The ANSI form, when every character survives the way there and back.
std::string ansi(const std::wstring& text) {
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lost);
    if (size <= 0 || lost) return {};
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, narrow.data(), size, nullptr, &lost);
    narrow.resize(static_cast<std::size_t>(size) - 1);
    return lost ? std::string() : narrow;
}

}  // namespace

std::string narrowFileName(const std::filesystem::path& path) {
    const std::wstring full = std::filesystem::absolute(path).wstring();
    if (plainAscii(full)) return ascii(full);
    const DWORD size = GetShortPathNameW(full.c_str(), nullptr, 0);
    if (size > 0) {
        std::wstring shortName(size, L'\0');
        const DWORD length = GetShortPathNameW(full.c_str(), shortName.data(), size);
        shortName.resize(length < size ? length : 0);
        if (!shortName.empty() && plainAscii(shortName)) return ascii(shortName);
    }
    return ansi(full);
}

std::string narrowTemporaryFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return error ? std::string() : narrowFileName(folder);
}

}  // namespace tally::sheet::platform
