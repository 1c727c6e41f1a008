#pragma once
// The one process-wide database connection, opened once at start-up.
#include <memory>
#include <string>

#include "Connection.h"
#include "ConnectionSettings.h"

namespace tally::data {

// Opens a connection for the four values; the server value chooses the engine
// (see ConnectionSettings.h). Throws DbError on failure.
std::unique_ptr<Connection> connect(const ConnectionSettings& settings);

// Opens the shared connection. On failure tells the user "错误信息：" and the
// error description (title "信息文本") and returns false.
bool OpenDatabase(const std::string& login, const std::string& password, const std::string& catalog,
                  const std::string& server);

// The shared connection; null until OpenDatabase succeeded.
Connection* SharedConnection();
// Replaces the shared connection (tests, and the demo start-up).
void setSharedConnection(std::unique_ptr<Connection> connection);

}  // namespace tally::data
