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

TEST(ConnectionSettings, ReadsTheFourKeysOfDbConfig) {
    ScratchFolder folder;
    auto path = writeIni(folder, "[DBConfig]\nSvr=db.local\\\\SQLEXPRESS\nUID=sa\nPWD=\"p;w'd\"\nDBname=物业收费\n");
    auto s = readConnectionSettings(path.string());
    EXPECT_EQ(s.server, "db.local\\SQLEXPRESS");
    EXPECT_EQ(s.login, "sa");
    EXPECT_EQ(s.password, "p;w'd");
    EXPECT_EQ(s.catalog, "物业收费");
}

TEST(ConnectionSettings, AbsentKeysAndOtherSectionsReadAsEmpty) {
    ScratchFolder folder;
    auto path = writeIni(folder, "[Other]\nSvr=x\n[DBConfig]\nUID=sa\n");
    auto s = readConnectionSettings(path.string());
    EXPECT_EQ(s.server, "");
    EXPECT_EQ(s.login, "sa");
    EXPECT_EQ(s.password, "");
    EXPECT_EQ(s.catalog, "");
}

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
