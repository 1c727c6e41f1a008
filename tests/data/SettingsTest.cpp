#include <gtest/gtest.h>

#include <QSettings>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

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

namespace {

using tally::data::ConnectionSettings;
using tally::data::writeConnectionSettings;

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ConnectionSettings, AnUnquotedValueWithCommasIsReadWhole) {
    ScratchFolder folder;
    auto s = readConnectionSettings(writeIni(folder, "[DBConfig]\nSvr=db.local,1433\nPWD=a,b,c\n").string());
    EXPECT_EQ(s.server, "db.local,1433");
    EXPECT_EQ(s.password, "a,b,c");
}

// Values that the INI syntax would cut, split or unescape if written as they are.
TEST(WritingConnectionSettings, EveryValueReadsBackExactly) {
    ScratchFolder folder;
    const auto path = (folder / "Korvane2011.ini").string();
    const ConnectionSettings written{"odbc:Driver=SQLite3;Database=/srv/fees.sqlite", " report reader ",
                                     "p;w}d{\"x'\\y,=#[z] ", "物业收费,2011"};
    ASSERT_EQ(writeConnectionSettings(written, path), "");
    // The semicolon of the connection string is inside quotes, so nothing reads it as a comment.
    EXPECT_NE(fileText(path).find("Svr=\"odbc:Driver=SQLite3;Database=/srv/fees.sqlite\""), std::string::npos)
        << fileText(path);
    const ConnectionSettings read = readConnectionSettings(path);
    EXPECT_EQ(read.server, written.server);
    EXPECT_EQ(read.login, written.login);
    EXPECT_EQ(read.password, written.password);
    EXPECT_EQ(read.catalog, written.catalog);

    const ConnectionSettings instance{"db.local\\SQLEXPRESS", "sa", "", ""};
    ASSERT_EQ(writeConnectionSettings(instance, path), "");
    const ConnectionSettings again = readConnectionSettings(path);
    EXPECT_EQ(again.server, instance.server);
    EXPECT_EQ(again.password, "");
    EXPECT_EQ(again.catalog, "");
}

TEST(WritingConnectionSettings, KeepsTheFilesOtherSectionsAndKeys) {
    ScratchFolder folder;
    const auto path = writeIni(folder, "[Window]\nLeft=120\n[DBConfig]\nSvr=old\nTimeout=45\n");
    ASSERT_EQ(writeConnectionSettings({"sqlite:/srv/fees.sqlite", "", "", ""}, path.string()), "");
    QSettings store(QString::fromStdString(path.string()), QSettings::IniFormat);
    EXPECT_EQ(store.value("Window/Left").toString(), "120");
    EXPECT_EQ(store.value("DBConfig/Timeout").toString(), "45");
    EXPECT_EQ(readConnectionSettings(path.string()).server, "sqlite:/srv/fees.sqlite");
}

TEST(WritingConnectionSettings, RenamesAFinishedFileIntoPlaceAndLeavesNoTemporaryFile) {
    ScratchFolder folder;
    const auto path = folder / "config" / "Korvane2011.ini";  // the folder does not exist yet
    ASSERT_EQ(writeConnectionSettings({"db", "sa", "secret", "Korvane"}, path.string()), "");
    EXPECT_EQ(readConnectionSettings(path.string()).password, "secret");
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"Korvane2011.ini"});
    if (tally::testing::kOnWindows) GTEST_SKIP() << "Windows keeps it private by the folder's access list";
    // It holds a password: the user's alone.
    const auto perms = std::filesystem::status(path).permissions();
    EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
}

TEST(WritingConnectionSettings, AFailedWriteLeavesTheOldFileAsItWas) {
    ScratchFolder folder;
    // A target that cannot be replaced: a folder of that name.
    const auto blocked = folder / "Korvane2011.ini";
    std::filesystem::create_directories(blocked / "inside");
    EXPECT_NE(writeConnectionSettings({"db", "", "", ""}, blocked.string()), "");
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    EXPECT_EQ(folder.names(), std::set<std::string>{"Korvane2011.ini"});

    // In a folder the user cannot write, the old file stays byte for byte.
    const auto path = writeIni(folder, "[DBConfig]\nSvr=kept\n");
    const std::string before = fileText(path);
    std::filesystem::permissions(folder.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    // Root writes anyway, and a Windows folder has no read-only mode.
    const bool folderIsReadOnly = !std::ofstream(folder / "probe");
    std::filesystem::remove(folder / "probe");
    const std::string whyNot = writeConnectionSettings({"new", "", "", ""}, path.string());
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    if (folderIsReadOnly) {
        EXPECT_NE(whyNot, "");
        EXPECT_EQ(fileText(path), before);
    } else {
        EXPECT_EQ(whyNot, "");
    }
}

}  // namespace
