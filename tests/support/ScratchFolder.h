#pragma once
// A fresh folder of its own under the system temp directory, removed with everything in it.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "Platform.h"

namespace tally::testing {

class ScratchFolder {
public:
    ScratchFolder() {
        // Named after the process and a count; one left by an earlier process of the same id is passed over.
        static std::atomic<int> count{0};
        const auto temp = std::filesystem::temp_directory_path();
        do {
            path_ = temp / ("tally-test-" + std::to_string(processId()) + "-" + std::to_string(count++));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / utf8Path(name); }
    const std::filesystem::path& path() const { return path_; }

    // Names of everything in the folder, hidden files included.
    std::set<std::string> names() const {
        std::set<std::string> all;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            all.insert(entry.path().filename().string());
        return all;
    }

private:
    std::filesystem::path path_;
};

inline void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A program that exits with status 1 at once: /bin/false, on Windows a batch file in `folder`.
inline std::filesystem::path failingProgram(const ScratchFolder& folder) {
    if (!kOnWindows) return "/bin/false";
    writeText(folder / "false.cmd", "@exit /b 1\r\n");
    return folder / "false.cmd";
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tally::testing
