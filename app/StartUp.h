#pragma once
// Process start: read the four connection values, open the connection, show the
// main window. A failed connection ends the process after telling the user twice.
#include <functional>
#include <memory>
#include <string>

#include "Connection.h"
#include "ConnectionSettings.h"
#include "MainWindow.h"
#include "ReportKind.h"

namespace tally::app {

inline constexpr int kConnectionFailedExitCode = 1;

using SettingsSource = std::function<data::ConnectionSettings()>;
// OpenDatabase's signature: login, password, catalog, server -> the connection; throws
// DbError when it cannot be opened.
using ConnectionOpener = std::function<std::unique_ptr<data::Connection>(
    const std::string& login, const std::string& password, const std::string& catalog, const std::string& server)>;
// The report windows' factories, made once the connection is open.
using FactoriesFor = std::function<ReportWindowFactories(data::Connection& connection)>;

struct StartUpResult {
    int exitCode = 0;  // what the process returns when there is no window
    // The program's database; the windows use it for as long as the main window lives.
    std::unique_ptr<data::Connection> connection;
    std::unique_ptr<MainWindow> mainWindow;  // shown; null when the connection failed
};

// Tells `notifier` "错误信息：" + the description (title "信息文本") and then
// "数据库连接失败!" (title "连接提示") when the connection cannot be opened.
StartUpResult StartUp(const SettingsSource& readSettings, const ConnectionOpener& openDatabase, Notifier& notifier,
                      const FactoriesFor& factoriesFor = {});

}  // namespace tally::app
