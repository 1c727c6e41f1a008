#include "TempFile.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <random>

#include "SheetError.h"

namespace tally::sheet {

namespace {
std::string randomSuffix(std::mt19937_64& random) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i) suffix += letters[random() % (sizeof letters - 1)];
    return suffix;
}
bool flushToDisk(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return flushed;
}

}  // namespace

TempFile::TempFile(const std::filesystem::path& finalPath, const std::string& extension) {
    std::mt19937_64 random{std::random_device{}()};
    const std::filesystem::path folder = finalPath.parent_path();
    const std::string stem = finalPath.stem().native();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = folder / ("." + stem + ".tmp-" + randomSuffix(random) + extension);
        // O_EXCL: never take over someone else's file; 0666 lets the umask decide, as for
        // any file the user saves.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            path_ = std::move(candidate);
            live_ = true;
            return;
        }
        // The user knows the file by the name they chose, never by the hidden one.
        if (errno != EEXIST) throw fileError(errno, "无法创建文件", finalPath.native());
    }
    throw fileError(EEXIST, "无法创建文件", finalPath.native());
}

TempFile::~TempFile() { discard(); }

void TempFile::commitTo(const std::filesystem::path& finalPath) {
    // The contents reach the disk before the name points at them: a full disk or an I/O
    // error the file system reports only now still leaves the earlier file in place.
    if (!flushToDisk(path_)) {
        const int error = errno;
        discard();
        throw fileError(error, "无法保存文件", finalPath.native());
    }
    if (std::rename(path_.c_str(), finalPath.c_str()) != 0) {
        const int error = errno;
        discard();
        throw fileError(error, "无法保存文件", finalPath.native());
    }
    live_ = false;
}

void TempFile::discard() {
    if (!live_) return;
    live_ = false;
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

}  // namespace tally::sheet
