#include "TempFile.h"

#include <cerrno>
#include <random>

#include "PlatformFiles.h"
#include "SheetError.h"
#include "Utf8Path.h"

namespace tally::sheet {

namespace {
std::string randomSuffix(std::mt19937_64& random) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i) suffix += letters[random() % (sizeof letters - 1)];
    return suffix;
}
}  // namespace

TempFile::TempFile(const std::filesystem::path& finalPath, const std::string& extension) {
    std::mt19937_64 random{std::random_device{}()};
    const std::filesystem::path folder = finalPath.parent_path();
    const std::string stem = finalPath.stem().string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = folder / utf8Path("." + stem + ".tmp-" + randomSuffix(random) + extension);
        const int error = platform::createNewFile(candidate);
        if (error == 0) {
            path_ = std::move(candidate);
            live_ = true;
            return;
        }
        // The user knows the file by the name they chose, never by the hidden one.
        if (error != EEXIST) throw fileError(error, "无法创建文件", finalPath.string());
    }
    throw fileError(EEXIST, "无法创建文件", finalPath.string());
}

TempFile::~TempFile() { discard(); }

void TempFile::commitTo(const std::filesystem::path& finalPath) {
    // The contents reach the disk before the name points at them: a full disk or an I/O
    // error the file system reports only now still leaves the earlier file in place.
    int error = platform::flushToDisk(path_);
    if (error == 0) error = platform::replaceFile(path_, finalPath);
    if (error != 0) {
        discard();
        throw fileError(error, "无法保存文件", finalPath.string());
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
