#include "TestDatabase.h"

#include <sqlite3.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Platform.h"
#include "SqliteConnection.h"

namespace tally::testing {
namespace {

std::filesystem::path fromEnvironment(const char* variable, const std::string& relative) {
    const char* root = std::getenv(variable);
    if (!root) throw std::runtime_error(std::string(variable) + " is not set (run the test through ctest)");
    return std::filesystem::path(root) / relative;
}

void run(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + path);
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("SQL failed: " + message + "\n" + sql);
}

}  // namespace

std::filesystem::path sourcePath(const std::string& relative) { return fromEnvironment("TALLY_SOURCE_DIR", relative); }
std::filesystem::path binaryPath(const std::string& relative) { return fromEnvironment("TALLY_BINARY_DIR", relative); }

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TestDatabase::TestDatabase() {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             ("tally-test-" + std::to_string(processId()) + "-" + std::to_string(counter++) + ".sqlite"))
                .string();
    std::filesystem::remove(path_);
    run(path_, readFile(sourcePath("demo/schema.sql")));
}

TestDatabase::~TestDatabase() {
    // Windows keeps a file that a connection still holds (one that outlives this object).
    std::error_code stillOpen;
    std::filesystem::remove(path_, stillOpen);
}

void TestDatabase::exec(const std::string& sql) { run(path_, sql); }

std::unique_ptr<data::Connection> TestDatabase::connect() const {
    return std::make_unique<data::SqliteConnection>(path_);
}

}  // namespace tally::testing
