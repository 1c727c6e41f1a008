#pragma once
// Process start: read the four connection values, open the shared connection, show the
// main window. A failed connection ends the process after telling the user twice.
#include <functional>
#include <memory>
#include <string>

#include "ConnectionSettings.h"
#include "MainWindow.h"
#include "ReportKind.h"

namespace tally::app {

inline constexpr int kConnectionFailedExitCode = 1;

using SettingsSource = std::function<data::ConnectionSettings()>;
// OpenDatabase's signature: login, password, catalog, server -> opened.
using ConnectionOpener = std::function<bool(const std::string& login, const std::string& password,
                                            const std::string& catalog, const std::string& server)>;

struct StartUpResult {
    int exitCode = 0;                    // what the process returns when there is no window
    std::unique_ptr<MainWindow> mainWindow;  // shown; null when the connection failed
};

StartUpResult StartUp(const SettingsSource& readSettings, const ConnectionOpener& openDatabase,
                      ReportWindowFactories factories);

}  // namespace tally::app
