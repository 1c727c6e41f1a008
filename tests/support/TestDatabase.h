#pragma once
// A throw-away SQLite file with the fee database schema, for engine tests.
//
//   TestDatabase db;
//   db.exec("INSERT INTO 票据类型 VALUES ('01','增值税专用发票',0)");
//   auto connection = db.connect();   // read-only, as the program opens it
#include <filesystem>
#include <memory>
#include <string>

#include "Connection.h"

namespace tally::testing {

class TestDatabase {
public:
    TestDatabase();   // creates the file with every table of the schema
    ~TestDatabase();  // deletes it
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // Runs statements on a writable handle; fails the test on error.
    void exec(const std::string& sql);
    const std::string& path() const { return path_; }
    std::unique_ptr<data::Connection> connect() const;

private:
    std::string path_;
};

// Path of a file in the source tree (TALLY_SOURCE_DIR is set by CTest).
std::filesystem::path sourcePath(const std::string& relative);
std::filesystem::path binaryPath(const std::string& relative);
std::string readFile(const std::filesystem::path& path);

}  // namespace tally::testing
