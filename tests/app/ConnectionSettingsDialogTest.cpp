// 连接设置: the fields come from the settings file and go back to it exactly, 测试连接 answers
// with what the engine says (or why it failed) without touching the file, and a file that
// cannot be written is reported, never half written.
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include "ConnectionSettingsDialog.h"
#include "DemoDatabase.h"
#include "Platform.h"
#include "support/RecordingNotifier.h"

using namespace tally;
using namespace tally::app;

namespace {

template <typename T>
T* control(QWidget& dialog, const char* name) {
    T* found = dialog.findChild<T*>(name);
    if (!found) qFatal("no control %s", name);
    return found;
}

QString fieldText(QWidget& dialog, const char* name) { return control<QLineEdit>(dialog, name)->text(); }
void type(QWidget& dialog, const char* name, const QString& text) {
    QLineEdit* edit = control<QLineEdit>(dialog, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class ConnectionSettingsDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::string demoPath_;
    testing::RecordingNotifier notifier_;

    std::string iniPath(const char* name) const { return folder_.filePath(name).toStdString(); }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        demo::DemoOptions options;
        options.invoicesPerYear = 50;
        options.years = 1;
        options.firstYear = 2025;
        demoPath_ = folder_.filePath("demo.sqlite").toStdString();
        demo::generateDemoDatabase(demoPath_, options);
    }
    void init() { notifier_.clear(); }

    void showsTheFilesValues() {
        const std::string path = iniPath("server.ini");
        QVERIFY(data::writeConnectionSettings({"db.local\\SQLEXPRESS", "sa", "pw", "物业收费"}, path).empty());
        ConnectionSettingsDialog dialog(path, notifier_);
        QCOMPARE(dialog.windowTitle(), QString("连接设置"));
        QVERIFY(control<QRadioButton>(dialog, "optServer")->isChecked());
        QCOMPARE(fieldText(dialog, "txtServer"), QString("db.local\\SQLEXPRESS"));
        QCOMPARE(fieldText(dialog, "txtUser"), QString("sa"));
        QCOMPARE(fieldText(dialog, "txtPassword"), QString("pw"));
        QCOMPARE(control<QLineEdit>(dialog, "txtPassword")->echoMode(), QLineEdit::Password);
        QCOMPARE(fieldText(dialog, "txtDatabase"), QString("物业收费"));
        QVERIFY(!control<QLineEdit>(dialog, "txtFile")->isEnabled());

        const std::string filePath = iniPath("file.ini");
        QVERIFY(data::writeConnectionSettings({"sqlite:/srv/收费.sqlite", "", "", ""}, filePath).empty());
        ConnectionSettingsDialog fileDialog(filePath, notifier_);
        QVERIFY(control<QRadioButton>(fileDialog, "optFile")->isChecked());
        QCOMPARE(fieldText(fileDialog, "txtFile"), QString("/srv/收费.sqlite"));
        QCOMPARE(fieldText(fileDialog, "txtServer"), QString());
        QVERIFY(!control<QLineEdit>(fileDialog, "txtServer")->isEnabled());

        ConnectionSettingsDialog missing(iniPath("absent.ini"), notifier_);
        QCOMPARE(fieldText(missing, "txtServer") + fieldText(missing, "txtPassword"), QString());
    }

    void savesWhatWasTypedAndShowsItAgain() {
        const std::string path = iniPath("saved.ini");
        const QString password = "p;w}d{=\"x' ,#";
        {
            ConnectionSettingsDialog dialog(path, notifier_);
            type(dialog, "txtServer", "db.local,1433");
            type(dialog, "txtUser", "report_reader");
            type(dialog, "txtPassword", password);
            type(dialog, "txtDatabase", "Korvane");
            control<QPushButton>(dialog, "cmdSave")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QVERIFY(notifier_.messages.empty());
        const data::ConnectionSettings read = data::readConnectionSettings(path);
        QCOMPARE(read.server, std::string("db.local,1433"));
        QCOMPARE(read.login, std::string("report_reader"));
        QCOMPARE(QString::fromStdString(read.password), password);
        QCOMPARE(read.catalog, std::string("Korvane"));

        ConnectionSettingsDialog again(path, notifier_);
        QCOMPARE(fieldText(again, "txtPassword"), password);
        QCOMPARE(fieldText(again, "txtServer"), QString("db.local,1433"));
    }

    void aDatabaseFileIsSavedAsSqliteAndTheServerFieldsAreKept() {
        const std::string path = iniPath("mode.ini");
        QVERIFY(data::writeConnectionSettings({"db", "sa", "secret", "Korvane"}, path).empty());
        ConnectionSettingsDialog dialog(path, notifier_);
        control<QRadioButton>(dialog, "optFile")->click();
        type(dialog, "txtFile", QString::fromStdString(demoPath_));
        control<QPushButton>(dialog, "cmdSave")->click();
        const data::ConnectionSettings read = data::readConnectionSettings(path);
        QCOMPARE(read.server, "sqlite:" + demoPath_);
        QCOMPARE(read.login + "|" + read.password + "|" + read.catalog, std::string("sa|secret|Korvane"));
    }

    void testConnectionAnswersWithTheEnginesVersionAndWritesNothing() {
        const std::string path = iniPath("untouched.ini");
        QVERIFY(data::writeConnectionSettings({"db", "", "", ""}, path).empty());
        const QByteArray before = fileBytes(QString::fromStdString(path));
        ConnectionSettingsDialog dialog(path, notifier_);
        control<QRadioButton>(dialog, "optFile")->click();
        type(dialog, "txtFile", QString::fromStdString(demoPath_));
        control<QPushButton>(dialog, "cmdTest")->click();
        QCOMPARE(notifier_.texts(), QStringList{QString("连接成功：SQLite ") + sqlite3_libversion()});
        QCOMPARE(notifier_.messages.front().title, std::string("连接设置"));

        QCOMPARE(fileBytes(QString::fromStdString(path)), before);
        if (testing::underWine())
            QSKIP("under Wine the SQLite ODBC driver is the host's, which cannot load the Windows extension");
        // The same file through SQLite's ODBC driver, as a server value names it.
        notifier_.clear();
        control<QRadioButton>(dialog, "optServer")->click();
        type(dialog, "txtServer", QString::fromStdString("odbc:Driver=SQLite3;Database=" + demoPath_));
        control<QPushButton>(dialog, "cmdTest")->click();
        QCOMPARE(notifier_.texts().size(), 1);
        QVERIFY2(notifier_.texts().front().startsWith("连接成功：SQLite "), qPrintable(notifier_.texts().front()));

        QCOMPARE(fileBytes(QString::fromStdString(path)), before);
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    void testConnectionToAMissingFileSaysWhyAndCreatesNothing() {
        const QString missing = folder_.filePath("nowhere/missing.sqlite");
        ConnectionSettingsDialog dialog(iniPath("missing.ini"), notifier_);
        control<QRadioButton>(dialog, "optFile")->click();
        type(dialog, "txtFile", missing);
        control<QPushButton>(dialog, "cmdTest")->click();
        QCOMPARE(notifier_.texts().size(), 1);
        const QString said = notifier_.texts().front();
        QVERIFY2(said.startsWith("连接失败：") && said.contains(missing), qPrintable(said));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!QFile::exists(folder_.filePath("missing.ini")));
    }

    void aFileThatCannotBeWrittenIsReported() {
        const QString blocked = folder_.filePath("blocked.ini");
        QVERIFY(QDir().mkpath(blocked + "/inside"));
        ConnectionSettingsDialog dialog(blocked.toStdString(), notifier_);
        type(dialog, "txtServer", "db");
        control<QPushButton>(dialog, "cmdSave")->click();
        QCOMPARE(notifier_.texts().size(), 1);
        QVERIFY2(notifier_.texts().front().startsWith("保存失败："), qPrintable(notifier_.texts().front()));
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY(QFileInfo(blocked + "/inside").isDir());
    }
};

QTEST_MAIN(ConnectionSettingsDialogTest)
#include "ConnectionSettingsDialogTest.moc"
