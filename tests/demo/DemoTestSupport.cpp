#include "DemoTestSupport.h"

#include <cstdio>
#include <random>
#include <vector>

namespace tally::demo::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    std::random_device entropy;
    path_ = fs::temp_directory_path() / ("tally-demo-test-" + std::to_string(entropy()) + std::to_string(entropy()));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::int64_t countRows(SqliteFile& file, std::string_view sql)
{
    SqliteStatement statement(file, sql);
    std::int64_t rows = 0;
    while (statement.step())
        ++rows;
    return rows;
}

std::map<std::string, std::string> tableDigests(const std::string& path)
{
    SqliteFile file(path, SqliteFile::Mode::ReadOnly);
    std::vector<std::string> tables;
    {
        SqliteStatement list(file, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
        while (list.step())
            tables.push_back(list.textAt(0));
    }
    std::map<std::string, std::string> digests;
    for (const std::string& table : tables) {
        // FNV-1a over the tagged values; the row count is kept beside it for readable failures.
        std::uint64_t hash = 14695981039346656037ull;
        auto feed = [&hash](std::string_view bytes) {
            for (unsigned char c : bytes) {
                hash ^= c;
                hash *= 1099511628211ull;
            }
        };
        SqliteStatement rows(file, "SELECT * FROM \"" + table + "\" ORDER BY rowid");
        std::int64_t count = 0;
        while (rows.step()) {
            ++count;
            for (int c = 0; c < rows.columnCount(); ++c) {
                feed(rows.taggedValueAt(c));
                feed("|");
            }
            feed("\n");
        }
        char text[64];
        std::snprintf(text, sizeof text, "%lld rows, %016llx", static_cast<long long>(count),
                      static_cast<unsigned long long>(hash));
        digests[table] = text;
    }
    return digests;
}

}  // namespace tally::demo::testing
