#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ConnectionSettings.h"

using tally::data::readConnectionSettings;

namespace {

std::filesystem::path tempIni(const std::string& name, const std::string& content) {
    auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << content;
    return path;
}

TEST(ConnectionSettings, ReadsTheFourKeysOfDbConfig) {
    auto path = tempIni("tally-settings-full.ini",
                        "[DBConfig]\nSvr=db.local\\\\SQLEXPRESS\nUID=sa\nPWD=\"p;w'd\"\nDBname=物业收费\n");
    auto s = readConnectionSettings(path.string());
    EXPECT_EQ(s.server, "db.local\\SQLEXPRESS");
    EXPECT_EQ(s.login, "sa");
    EXPECT_EQ(s.password, "p;w'd");
    EXPECT_EQ(s.catalog, "物业收费");
    std::filesystem::remove(path);
}

TEST(ConnectionSettings, AbsentKeysAndOtherSectionsReadAsEmpty) {
    auto path = tempIni("tally-settings-partial.ini", "[Other]\nSvr=x\n[DBConfig]\nUID=sa\n");
    auto s = readConnectionSettings(path.string());
    EXPECT_EQ(s.server, "");
    EXPECT_EQ(s.login, "sa");
    EXPECT_EQ(s.password, "");
    EXPECT_EQ(s.catalog, "");
    std::filesystem::remove(path);
}

TEST(ConnectionSettings, MissingOrUnreadableStoreReadsAsEmpty) {
    auto missing = readConnectionSettings("/nonexistent/tally/settings.ini");
    EXPECT_EQ(missing.server + missing.login + missing.password + missing.catalog, "");
    auto folder = std::filesystem::temp_directory_path() / "tally-settings-folder.ini";
    std::filesystem::create_directories(folder);
    auto unreadable = readConnectionSettings(folder.string());
    EXPECT_EQ(unreadable.server, "");
    std::filesystem::remove(folder);
}

}  // namespace
