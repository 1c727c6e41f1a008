#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ConnectionSettings.h"
#include "ScratchFolder.h"

using tally::data::readConnectionSettings;

namespace {

using tally::testing::ScratchFolder;

std::filesystem::path writeIni(const ScratchFolder& folder, const std::string& content) {
    auto path = folder / "settings.ini";
    std::ofstream(path) << content;
    return path;
}

// A settings file and the four values read from it.
struct StoredSettings {
    const char* name;
    const char* content;
    const char* server;
    const char* login;
    const char* password;
    const char* catalog;
};

void PrintTo(const StoredSettings& s, std::ostream* out) { *out << s.name; }

class ConnectionSettingsFile : public ::testing::TestWithParam<StoredSettings> {};

TEST_P(ConnectionSettingsFile, ReadsTheKeysOfDbConfig) {
    const StoredSettings& stored = GetParam();
    ScratchFolder folder;
    auto s = readConnectionSettings(writeIni(folder, stored.content).string());
    EXPECT_EQ(s.server, stored.server);
    EXPECT_EQ(s.login, stored.login);
    EXPECT_EQ(s.password, stored.password);
    EXPECT_EQ(s.catalog, stored.catalog);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectionSettingsFile,
    ::testing::Values(StoredSettings{"TheFourKeys",
                                     "[DBConfig]\nSvr=db.local\\\\SQLEXPRESS\nUID=sa\nPWD=\"p;w'd\"\nDBname=物业收费\n",
                                     "db.local\\SQLEXPRESS", "sa", "p;w'd", "物业收费"},
                      StoredSettings{"AbsentKeysAndOtherSectionsReadAsEmpty", "[Other]\nSvr=x\n[DBConfig]\nUID=sa\n",
                                     "", "sa", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConnectionSettings, MissingOrUnreadableStoreReadsAsEmpty) {
    auto missing = readConnectionSettings("/nonexistent/tally/settings.ini");
    EXPECT_EQ(missing.server + missing.login + missing.password + missing.catalog, "");
    ScratchFolder folder;
    const auto notAFile = folder / "settings.ini";
    std::filesystem::create_directories(notAFile);
    auto unreadable = readConnectionSettings(notAFile.string());
    EXPECT_EQ(unreadable.server, "");
}

}  // namespace
