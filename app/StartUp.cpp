#include "StartUp.h"

#include "UserMessage.h"

namespace tally::app {

StartUpResult StartUp(const SettingsSource& readSettings, const ConnectionOpener& openDatabase,
                      ReportWindowFactories factories) {
    StartUpResult result;
    {
        const data::ConnectionSettings settings = readSettings();
        if (!openDatabase(settings.login, settings.password, settings.catalog, settings.server)) {
            tellUser({"数据库连接失败!", "连接提示"});
            result.exitCode = kConnectionFailedExitCode;
            return result;
        }
    }  // the four values live no longer than this
    result.mainWindow = std::make_unique<MainWindow>(std::move(factories));
    result.mainWindow->show();
    return result;
}

}  // namespace tally::app
