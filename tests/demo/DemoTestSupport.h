#pragma once
// Helpers for the demo database tests: a scratch folder per test program and read-only queries.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "DemoSqlite.h"

namespace tally::demo::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Number of rows the statement returns.
std::int64_t countRows(SqliteFile& file, std::string_view sql);

// One digest per table: every row in rowid order, every value with its type.
std::map<std::string, std::string> tableDigests(const std::string& path);

}  // namespace tally::demo::testing
