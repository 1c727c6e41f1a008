#include "OpenDatabase.h"

#include "DbError.h"
#include "OdbcConnection.h"
#include "OdbcConnectionString.h"
#include "SqliteConnection.h"

namespace tally::data {
namespace {

bool startsWith(const std::string& s, std::string_view prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

std::unique_ptr<Connection> connect(const ConnectionSettings& s) {
    if (startsWith(s.server, "sqlite:")) return std::make_unique<SqliteConnection>(s.server.substr(7));
    if (startsWith(s.server, "odbc:"))
        return std::make_unique<OdbcConnection>(withCredentials(s.server.substr(5), s.login, s.password));
    if (s.server.empty()) throw DbError(-1, "no database server is set (settings key Svr)");
    return std::make_unique<OdbcConnection>(freeTdsConnectionString(s.login, s.password, s.catalog, s.server));
}

std::unique_ptr<Connection> OpenDatabase(const std::string& login, const std::string& password,
                                         const std::string& catalog, const std::string& server) {
    return connect({server, login, password, catalog});
}

}  // namespace tally::data
