// The command line and the demo database file behind --demo.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

#include "DemoDatabaseFile.h"
#include "LaunchOptions.h"
#include "OpenDatabase.h"
#include "support/RecordingNotifier.h"

using namespace tally;
using namespace tally::app;
using Source = LaunchOptions::Source;

Q_DECLARE_METATYPE(LaunchOptions::Source)

class LaunchTest : public QObject {
    Q_OBJECT

    // Every window of the test tells this notifier.
    testing::RecordingNotifier notifier_;
private slots:
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Source>("source");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("wrong");

        QTest::newRow("no options use the settings") << QStringList{} << Source::Settings << "" << false << false;
        QTest::newRow("demo") << QStringList{"--demo"} << Source::Demo << "" << false << false;
        QTest::newRow("db with a file") << QStringList{"--db", "fees.sqlite"} << Source::File << "fees.sqlite" << false
                                        << false;
        QTest::newRow("db=file form") << QStringList{"--db=/tmp/a b.sqlite"} << Source::File << "/tmp/a b.sqlite"
                                      << false << false;
        QTest::newRow("long help") << QStringList{"--help"} << Source::Settings << "" << true << false;
        QTest::newRow("short help") << QStringList{"-h"} << Source::Settings << "" << true << false;
        QTest::newRow("db without its file") << QStringList{"--db"} << Source::Settings << "" << false << true;
        QTest::newRow("db with an empty file") << QStringList{"--db="} << Source::File << "" << false << true;
        QTest::newRow("demo and db together")
            << QStringList{"--demo", "--db", "x.sqlite"} << Source::Settings << "" << false << true;
        QTest::newRow("unknown option") << QStringList{"--server=x"} << Source::Settings << "" << false << true;
        QTest::newRow("settings with demo")
            << QStringList{"--settings", "--demo"} << Source::Settings << "" << false << true;
        QTest::newRow("settings with db")
            << QStringList{"--db", "x.sqlite", "--settings"} << Source::Settings << "" << false << true;
        QTest::newRow("stray argument") << QStringList{"fees.sqlite"} << Source::Settings << "" << false << true;
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(Source, source);
        QFETCH(QString, file);
        QFETCH(bool, help);
        QFETCH(bool, wrong);
        const LaunchOptions options = parseLaunchOptions(QStringList{"tallyvane"} + arguments);
        QCOMPARE(options.error.isEmpty(), !wrong);
        QCOMPARE(options.showHelp, help);
        if (wrong) return;
        QCOMPARE(options.source, source);
        QCOMPARE(options.databaseFile, file);
    }

    void settingsAndVersionAreTheirOwnCommands() {
        const LaunchOptions settings = parseLaunchOptions({"tallyvane", "--settings"});
        QVERIFY(settings.error.isEmpty());
        QVERIFY(settings.editSettings);
        QVERIFY(!settings.showVersion);
        QVERIFY(!parseLaunchOptions({"tallyvane", "--demo"}).editSettings);
        const LaunchOptions version = parseLaunchOptions({"tallyvane", "--version"});
        QVERIFY(version.showVersion);
        QVERIFY(!version.editSettings);
        QCOMPARE(launchVersionText(), QString("tallyvane " PROJECT_VERSION_TEXT "\n"));
        QVERIFY(launchHelpText().contains("--settings"));
    }

    void fileAndDemoSourcesPointAtAbsoluteSqlitePaths() {
        const QString demoFile = QDir::rootPath() + "cache/tallyvane/demo.sqlite";  // on Windows with its drive
        const auto demo = settingsSourceFor(parseLaunchOptions({"tallyvane", "--demo"}), demoFile)();
        QCOMPARE(QString::fromStdString(demo.server), "sqlite:" + demoFile);
        QCOMPARE(demo.login + demo.password + demo.catalog, std::string());

        const auto file = settingsSourceFor(parseLaunchOptions({"tallyvane", "--db", "sub/收费.sqlite"}), demoFile)();
        QCOMPARE(QString::fromStdString(file.server), "sqlite:" + QDir::current().absoluteFilePath("sub/收费.sqlite"));
    }

    void demoDatabaseIsGeneratedOnlyWhenMissing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("cache/nested/demo.sqlite");
        QStringList generated;
        auto generator = [&](const QString& p) {
            generated << p;
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        QString whyNot;
        QVERIFY(ensureDemoDatabase(path, generator, &whyNot));
        QCOMPARE(generated, QStringList{path});
        QVERIFY(ensureDemoDatabase(path, generator, &whyNot));
        QCOMPARE(generated.size(), 1);
    }

    void failedGenerationIsReported() {
        QTemporaryDir dir;
        const QString path = dir.filePath("demo.sqlite");
        QString whyNot;
        QVERIFY(!ensureDemoDatabase(
            path, [](const QString&) { throw std::runtime_error("disk full"); }, &whyNot));
        QCOMPARE(whyNot, QString("disk full"));

        whyNot.clear();
        QVERIFY(!ensureDemoDatabase(
            path, [](const QString&) {}, &whyNot));
        QVERIFY(whyNot.contains(path));
        QVERIFY(!QFile::exists(path));
    }

    void builtInGeneratorWritesADatabaseTheProgramCanOpen() {
        auto& recorded = notifier_.fresh();
        QTemporaryDir dir;
        const QString path = dir.filePath("demo.sqlite");
        QString whyNot;
        QVERIFY2(ensureDemoDatabase(path, defaultDemoGenerator(), &whyNot), qPrintable(whyNot));
        QVERIFY(data::OpenDatabase("", "", "", "sqlite:" + path.toStdString()) != nullptr);
        QVERIFY(recorded.messages.empty());
    }
};

QTEST_GUILESS_MAIN(LaunchTest)
#include "LaunchTest.moc"
