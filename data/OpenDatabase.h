#pragma once
// Opening the program's database connection. The caller owns it and hands it to whatever
// needs it; the data layer keeps none.
#include <memory>
#include <string>

#include "Connection.h"
#include "ConnectionSettings.h"

namespace tally::data {

// Opens a connection for the four values; the server value chooses the engine
// (see ConnectionSettings.h). An ODBC string naming SQLite's driver gets the T-SQL
// extension found beside the program (ProgramFiles.h) unless it loads one itself.
// Throws DbError on failure.
std::unique_ptr<Connection> connect(const ConnectionSettings& settings);

// The same with the values in the order the start-up passes them. Throws DbError.
std::unique_ptr<Connection> OpenDatabase(const std::string& login, const std::string& password,
                                         const std::string& catalog, const std::string& server);

}  // namespace tally::data
