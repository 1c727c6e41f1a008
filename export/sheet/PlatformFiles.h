#pragma once
// The few file operations the exports need that the standard library does not offer with
// the guarantees they rely on. Each returns 0 or an errno value.
#include <filesystem>
#include <string>

namespace tally::sheet::platform {

// Creates `path` empty, failing with EEXIST when anything has that name already.
int createNewFile(const std::filesystem::path& path);
// Brings the file's contents to the disk.
int flushToDisk(const std::filesystem::path& path);
// Puts `from` in the place of `to` in one step, an existing `to` included.
int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
// A new folder only this user can enter, named `prefix` and six random characters, in
// the system's temporary folder; `made` is set to it.
int makePrivateFolder(const std::string& prefix, std::filesystem::path& made);

// The name of an existing file as the C library's fopen takes it (libxlsxwriter opens
// its files so): the path itself on Linux; on Windows, where fopen reads the ANSI code
// page, its short (8.3) name when that is plain ASCII, else its ANSI form. Empty when
// Windows can name it neither way.
std::string narrowFileName(const std::filesystem::path& path);
// Where libxlsxwriter keeps its own temporary files, in the same form; empty for its default.
std::string narrowTemporaryFolder();

}  // namespace tally::sheet::platform
