#pragma once
// Helpers for the demo database tests: scratch folders and read-only queries.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "DemoDatabase.h"
#include "DemoSqlite.h"
#include "ScratchFolder.h"

namespace tally::demo::testing {

// A fresh folder under the system temp directory, removed with everything in it.
using tally::testing::ScratchFolder;

// A demo file generated with `options` once per build of the test program and kept beside
// it, for fixtures that only read it: every test case runs in a process of its own.
std::string sharedDemoDatabase(const DemoOptions& options);

// Number of rows the statement returns.
std::int64_t countRows(SqliteFile& file, std::string_view sql);

// One digest per table: every row in rowid order, every value with its type.
std::map<std::string, std::string> tableDigests(const std::string& path);

}  // namespace tally::demo::testing
