#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "PlatformFiles.h"

namespace tally::sheet::platform {

int createNewFile(const std::filesystem::path& path) {
    // O_EXCL: never take over someone else's file; 0666 lets the umask decide, as for any
    // file the user saves.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

int flushToDisk(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int makePrivateFolder(const std::string& prefix, std::filesystem::path& made) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).native();
    if (!::mkdtemp(pattern.data())) return errno;
    made = pattern;
    return 0;
}

std::string narrowFileName(const std::filesystem::path& path) { return path.native(); }

// tmpfile() there already uses the system's temporary folder.
std::string narrowTemporaryFolder() { return {}; }

}  // namespace tally::sheet::platform
