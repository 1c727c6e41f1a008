#pragma once
// The four connection values of the per-user settings store:
// application "Korvane2011", section "DBConfig", keys "Svr", "UID", "PWD", "DBname".
//
// The server value also chooses the engine:
//   sqlite:PATH         the embedded engine on the SQLite file PATH
//   odbc:CONNSTR        any ODBC data source (UID and PWD are added to CONNSTR)
//   anything else       SQL Server through FreeTDS: host, host\instance or host,port
#include <string>

namespace tally::data {

struct ConnectionSettings {
    std::string server;    // "Svr"
    std::string login;     // "UID"
    std::string password;  // "PWD"
    std::string catalog;   // "DBname"
};

// Reads the user's settings file (an INI file in the user's configuration folder,
// Korvane2011.ini). Absent keys, and an unreadable file, read as empty. A value holding
// ";" must be in double quotes in the file (unquoted, the rest is a comment); an unquoted
// value holding "," (host,port) is read whole.
ConnectionSettings readConnectionSettings();
// The same from a given INI file.
ConnectionSettings readConnectionSettings(const std::string& iniPath);
// Where readConnectionSettings() looks.
std::string userSettingsPath();

// Sets the four keys of DBConfig in the INI file `iniPath`, keeping its other sections and
// keys, quoted so that they read back exactly. The file is written under a temporary name
// in its folder (created when missing) and renamed into place, so a failure leaves the
// old file as it was. Returns an empty string on success, else why it failed.
std::string writeConnectionSettings(const ConnectionSettings& settings, const std::string& iniPath);

}  // namespace tally::data
