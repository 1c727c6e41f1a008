#include "DemoTestSupport.h"

#include <cstdio>
#include <vector>

#include "DemoDatabase.h"
#include "Platform.h"

namespace tally::demo::testing {

namespace fs = std::filesystem;

std::string sharedDemoDatabase(const DemoOptions& options) {
    // Stamped with this program's build: its generator is linked in, so a new build may write other rows.
    const fs::path program = tally::testing::programPath();
    const std::string kind = "demo-" + std::to_string(options.seed) + "-" + std::to_string(options.invoicesPerYear) +
                             "-" + std::to_string(options.years) + "-" + std::to_string(options.firstYear) + "-" +
                             std::to_string(options.feeItems) + "-";
    const std::string stamp = std::to_string(fs::last_write_time(program).time_since_epoch().count()) + "-" +
                              std::to_string(fs::file_size(program));
    const fs::path folder = program.parent_path() / (program.filename().string() + "-cache");
    const fs::path path = folder / (kind + stamp + ".sqlite");
    if (fs::exists(path)) return path.string();

    fs::create_directories(folder);
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
        if (entry.path().filename().string().starts_with(kind) && entry.path().extension() == ".sqlite")
            fs::remove(entry.path(), ignored);  // an earlier build's
    // Cases run side by side: each writes its own file, the last rename wins with the same rows.
    const fs::path written = folder / (kind + stamp + ".part-" + std::to_string(tally::testing::processId()));
    generateDemoDatabase(written.string(), options);
    fs::rename(written, path);
    return path.string();
}

std::int64_t countRows(SqliteFile& file, std::string_view sql) {
    SqliteStatement statement(file, sql);
    std::int64_t rows = 0;
    while (statement.step()) ++rows;
    return rows;
}

std::map<std::string, std::string> tableDigests(const std::string& path) {
    SqliteFile file(path, SqliteFile::Mode::ReadOnly);
    std::vector<std::string> tables;
    {
        SqliteStatement list(file, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
        while (list.step()) tables.push_back(list.textAt(0));
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
