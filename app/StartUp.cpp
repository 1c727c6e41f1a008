#include "StartUp.h"

#include "DbError.h"
#include "Notifier.h"

namespace tally::app {

StartUpResult StartUp(const SettingsSource& readSettings, const ConnectionOpener& openDatabase, Notifier& notifier,
                      const FactoriesFor& factoriesFor) {
    StartUpResult result;
    try {
        const data::ConnectionSettings settings = readSettings();
        result.connection = openDatabase(settings.login, settings.password, settings.catalog, settings.server);
    } catch (const data::DbError& e) {  // the four values live no longer than the try
        notifier.tell({"错误信息：" + e.description(), "信息文本"});
    }
    if (!result.connection) {
        notifier.tell({"数据库连接失败!", "连接提示"});
        result.exitCode = kConnectionFailedExitCode;
        return result;
    }
    ReportWindowFactories factories = factoriesFor ? factoriesFor(*result.connection) : ReportWindowFactories{};
    result.mainWindow = std::make_unique<MainWindow>(notifier, std::move(factories));
    result.mainWindow->show();
    return result;
}

}  // namespace tally::app
