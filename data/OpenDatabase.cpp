#include "OpenDatabase.h"

#include "DbError.h"
#include "OdbcConnection.h"
#include "OdbcConnectionString.h"
#include "ProgramFiles.h"
#include "SqliteConnection.h"

namespace tally::data {
namespace {

bool startsWith(const std::string& s, std::string_view prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

std::unique_ptr<Connection> connect(const ConnectionSettings& s) {
    if (startsWith(s.server, "sqlite:")) return std::make_unique<SqliteConnection>(s.server.substr(7));
    if (startsWith(s.server, "odbc:")) {
        const std::string given = s.server.substr(5);
        // SQLite's driver would open an empty database and fail later with "no such table".
        if (namesSqliteDriverWithoutDatabase(given))
            throw DbError(-1,
                          "the ODBC connection string names SQLite's driver but no Database; in the settings "
                          "file a Svr value holding \";\" must be in double quotes");
        return std::make_unique<OdbcConnection>(
            withCredentials(withSqliteExtension(given, tsqlExtensionPath()), s.login, s.password));
    }
    if (s.server.empty()) throw DbError(-1, "no database server is set (settings key Svr)");
    return std::make_unique<OdbcConnection>(freeTdsConnectionString(s.login, s.password, s.catalog, s.server));
}

std::unique_ptr<Connection> OpenDatabase(const std::string& login, const std::string& password,
                                         const std::string& catalog, const std::string& server) {
    return connect({server, login, password, catalog});
}

}  // namespace tally::data
