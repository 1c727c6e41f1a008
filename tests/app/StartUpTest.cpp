// Start-up: the connection values reach OpenDatabase in its order, a failed connection
// ends with two messages and no window.
#include <QApplication>
#include <QtTest>

#include "MainWindow.h"
#include "OpenDatabase.h"
#include "StartUp.h"
#include "TestDatabase.h"
#include "support/RecordingNotifier.h"

using namespace tally;
using namespace tally::app;

namespace {

int openMainWindows() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<MainWindow*>(w)) ++count;
    return count;
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT

    // Every window of the test tells this notifier.
    testing::RecordingNotifier notifier_;
private slots:
    void emptySettingsEndWithBothMessagesAndNoWindow() {
        auto& recorded = notifier_.fresh();
        StartUpResult result = StartUp([] { return data::ConnectionSettings{}; }, data::OpenDatabase, notifier_);

        QVERIFY(!result.mainWindow);
        QCOMPARE(result.exitCode, kConnectionFailedExitCode);
        QVERIFY(result.exitCode != 0);
        QCOMPARE(openMainWindows(), 0);
        QVERIFY(!result.connection);
        QCOMPARE(recorded.messages.size(), size_t(2));
        QVERIFY(recorded.messages[0].text.starts_with("错误信息："));
        QVERIFY(recorded.messages[0].text.size() > std::string("错误信息：").size());
        QCOMPARE(recorded.messages[0].title, std::string("信息文本"));
        QCOMPARE(recorded.messages[1].text, std::string("数据库连接失败!"));
        QCOMPARE(recorded.messages[1].title, std::string("连接提示"));
        QVERIFY(recorded.messages[1].icon == MessageIcon::Information);
        QVERIFY(recorded.messages[1].buttons == MessageButtons::Ok);
    }

    void valuesGoToOpenDatabaseAsLoginPasswordCatalogServerUnchanged() {
        auto& recorded = notifier_.fresh();
        testing::TestDatabase database;
        std::vector<std::string> passed;
        auto opener = [&](const std::string& login, const std::string& password, const std::string& catalog,
                          const std::string& server) {
            passed = {login, password, catalog, server};
            return std::unique_ptr<data::Connection>(database.connect());
        };
        data::ConnectionSettings settings;
        settings.server = "db.local\\SQLEXPRESS";
        settings.login = "sa";
        settings.password = "p;w'd";
        settings.catalog = "物业收费";
        StartUpResult result = StartUp([&] { return settings; }, opener, notifier_);

        QCOMPARE(passed, (std::vector<std::string>{"sa", "p;w'd", "物业收费", "db.local\\SQLEXPRESS"}));
        QVERIFY(result.mainWindow);
        QVERIFY(result.mainWindow->isVisible());
        QCOMPARE(result.mainWindow->objectName(), QString("MDIForm1"));
        QCOMPARE(result.mainWindow->windowTitle(), QString("Tallyvane"));
        QVERIFY(recorded.messages.empty());
    }

    void sqliteFileOpensTheConnectionForTheWindowsAndShowsTheMainWindow() {
        auto& recorded = notifier_.fresh();
        testing::TestDatabase database;
        data::ConnectionSettings settings;
        settings.server = "sqlite:" + database.path();
        data::Connection* handedToTheWindows = nullptr;
        StartUpResult result = StartUp([&] { return settings; }, data::OpenDatabase, notifier_,
                                       [&](data::Connection& connection) {
                                           handedToTheWindows = &connection;
                                           return ReportWindowFactories{};
                                       });

        QVERIFY(result.mainWindow);
        QVERIFY(result.connection);
        QCOMPARE(handedToTheWindows, result.connection.get());
        QCOMPARE(openMainWindows(), 1);
        QVERIFY(recorded.messages.empty());
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
