#pragma once
// A file created under a fresh hidden name beside its final place (".name.tmp-XXXXXX.ext"),
// renamed over the final file only when complete and removed otherwise.
#include <filesystem>

namespace tally::sheet {

class TempFile {
public:
    // Creates the empty file now, so a folder that cannot take the final file fails
    // before any work is done. Throws SheetError.
    TempFile(const std::filesystem::path& finalPath, const std::string& extension);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Replaces `finalPath` (an existing file included) in one step. Throws SheetError.
    void commitTo(const std::filesystem::path& finalPath);
    void discard();

private:
    std::filesystem::path path_;
    bool live_ = false;
};

}  // namespace tally::sheet
