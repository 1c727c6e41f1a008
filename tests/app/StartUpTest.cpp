// Start-up: the connection values reach OpenDatabase in its order, a failed connection
// ends with two messages and no window.
#include <QApplication>
#include <QtTest>

#include "MainWindow.h"
#include "RecordedMessages.h"
#include "SharedConnection.h"
#include "StartUp.h"
#include "TestDatabase.h"

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
private slots:
    void cleanup() { data::setSharedConnection(nullptr); }

    void emptySettingsEndWithBothMessagesAndNoWindow() {
        testing::RecordedMessages recorded;
        StartUpResult result = StartUp([] { return data::ConnectionSettings{}; }, data::OpenDatabase, {});

        QVERIFY(!result.mainWindow);
        QCOMPARE(result.exitCode, kConnectionFailedExitCode);
        QVERIFY(result.exitCode != 0);
        QCOMPARE(openMainWindows(), 0);
        QVERIFY(data::SharedConnection() == nullptr);
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
        testing::RecordedMessages recorded;
        std::vector<std::string> passed;
        auto opener = [&](const std::string& login, const std::string& password, const std::string& catalog,
                          const std::string& server) {
            passed = {login, password, catalog, server};
            return true;
        };
        data::ConnectionSettings settings;
        settings.server = "db.local\\SQLEXPRESS";
        settings.login = "sa";
        settings.password = "p;w'd";
        settings.catalog = "物业收费";
        StartUpResult result = StartUp([&] { return settings; }, opener, {});

        QCOMPARE(passed, (std::vector<std::string>{"sa", "p;w'd", "物业收费", "db.local\\SQLEXPRESS"}));
        QVERIFY(result.mainWindow);
        QVERIFY(result.mainWindow->isVisible());
        QCOMPARE(result.mainWindow->objectName(), QString("MDIForm1"));
        QCOMPARE(result.mainWindow->windowTitle(), QString("Tallyvane"));
        QVERIFY(recorded.messages.empty());
    }

    void sqliteFileOpensTheSharedConnectionAndShowsTheMainWindow() {
        testing::RecordedMessages recorded;
        testing::TestDatabase database;
        data::ConnectionSettings settings;
        settings.server = "sqlite:" + database.path();
        StartUpResult result = StartUp([&] { return settings; }, data::OpenDatabase, {});

        QVERIFY(result.mainWindow);
        QVERIFY(data::SharedConnection() != nullptr);
        QCOMPARE(openMainWindows(), 1);
        QVERIFY(recorded.messages.empty());
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
