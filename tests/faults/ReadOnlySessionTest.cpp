// The program only ever reads the fee database. A whole session — every report window
// extracted, run, paged and exported, the reconciliation window likewise, and every kind
// and format of tallyvane-report — leaves the file byte for byte as it was, with no
// journal beside it. Statements that would write are refused on both engines.
#include <QComboBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <set>

#include "DbError.h"
#include "DetailExportCommand.h"
#include "OdbcConnection.h"
#include "PageNavigator.h"
#include "ReconciliationExportCommand.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "ScratchFolder.h"
#include "SelectionPanel.h"
#include "SqliteConnection.h"
#include "cli/CommandRunner.h"
#include "support/ReportWindowDriving.h"
#include "support/WindowTestServices.h"
#include "windows/DemoConnection.h"

using namespace tally;

namespace {

struct FileState {
    std::string bytes;
    std::filesystem::file_time_type modified;
    std::set<std::string> folder;  // names beside it: a journal or WAL file would show here

    static FileState of(const std::filesystem::path& file) {
        FileState state{testing::readText(file), std::filesystem::last_write_time(file), {}};
        for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
            state.folder.insert(entry.path().filename().string());
        return state;
    }
    bool operator==(const FileState&) const = default;
};

exports::ExportEnvironment savingTo(const std::filesystem::path& file) {
    exports::ExportEnvironment environment;
    environment.chooseFile = [file](QWidget*, const QString&, const QString&) {
        return std::optional<QString>(QString::fromStdString(file.string()));
    };
    environment.findConverter = [] { return std::nullopt; };
    return environment;
}

// A file's name as the engine opens it.
std::string nameFor(const std::string& engine, const std::filesystem::path& path) {
    return engine == "sqlite" ? path.string() : testing::hostPath(path);
}

std::unique_ptr<data::Connection> openEngine(const std::string& engine, const std::filesystem::path& path) {
    if (engine == "sqlite") return std::make_unique<data::SqliteConnection>(nameFor(engine, path));
    return std::make_unique<data::OdbcConnection>(std::string("DRIVER=") + SQLITE_ODBC_DRIVER +
                                                  ";Database=" + nameFor(engine, path) + ";LoadExt=" + TSQL_EXTENSION);
}

}  // namespace

class ReadOnlySessionTest : public QObject, private testing::WindowTestServices {
    Q_OBJECT

private:
    QTemporaryDir dbFolder_;
    std::filesystem::path file_;
    testing::ScratchFolder exports_;

private slots:
    void initTestCase() {
        testing::DemoConnection demo;  // generates the file; this test reads its own copy
        file_ = testing::utf8Path(dbFolder_.path().toStdString()) / "fees.sqlite";
        std::filesystem::copy_file(demo.path(), file_);
    }

    void windowsAndToolLeaveTheFileAsItWas() {
        const FileState before = FileState::of(file_);
        connection_ = std::make_unique<data::SqliteConnection>(file_.string());
        auto& messages = notifier_.fresh();

        for (const char* kind : {"parking", "vat-invoicing", "pre-invoicing"}) {
            std::unique_ptr<reportui::ReportWindow> window(reportui::createReportWindow(kind, services(), nullptr));
            testing::runReport(*window, 0, {2025, 1, 1}, {2025, 12, 31});
            QVERIFY2(window->result() && window->result()->rowCount() > 0, kind);
            window->pageNavigator()->nextButton()->click();
            window->pageNavigator()->lastButton()->click();
            exports::ExportDetailReport(*window, savingTo(exports_ / (std::string(kind) + ".xlsx")));
            QVERIFY(testing::idle(*window));
        }
        std::unique_ptr<reportui::ReconciliationWindow> reconciliation(
            reportui::createReconciliationWindow(services(), nullptr));
        testing::runReconciliation(*reconciliation, 0, "2025", "01", "12");
        exports::ExportReconciliationWindow(*reconciliation, savingTo(exports_ / "reconciliation.xlsx"));
        QVERIFY(testing::idle(*reconciliation));
        QCOMPARE(messages.texts(), (QStringList{"停车费明细表导出成功！", "增值税开票明细表导出成功！",
                                                "增值税预开票明细表导出成功！", "票据核对表导出成功！"}));
        connection_.reset();

        const std::string db = testing::shellQuote(file_.string());
        for (const std::string kind : {"parking", "vat-invoicing", "pre-invoicing", "reconciliation"}) {
            const std::string period = kind == "reconciliation" ? " --year 2025 --start-month 01 --end-month 12"
                                                                : " --from 2025-01-01 --to 2025-12-31";
            for (const std::string format : {"json", "csv", "xlsx"}) {
                const auto output = exports_ / ("tool-" + kind + "." + format);
                const auto run =
                    testing::runReportTool("--db " + db + " " + kind + " --department 01" + period + " --format " +
                                           format + " --output " + testing::shellQuote(output.string()));
                QVERIFY2(run.status == 0, (kind + " " + format + ": " + run.err).c_str());
            }
        }
        QVERIFY(FileState::of(file_) == before);
    }

    void writeStatementsAreRefused_data() {
        QTest::addColumn<QString>("engine");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("odbc") << "odbc";
    }
    void writeStatementsAreRefused() {
        QFETCH(QString, engine);
        const FileState before = FileState::of(file_);
        const auto elsewhere = exports_ / "copy.sqlite";
        {
            auto connection = openEngine(engine.toStdString(), file_);
            const std::string writes[] = {
                "DELETE FROM 票据",
                "UPDATE 票据 SET 金额 = 0",
                "INSERT INTO 收款方式列表 VALUES ('x')",
                "DROP TABLE 票据开票数据",
                "CREATE TABLE x (a)",
                "CREATE INDEX x ON 票据 (金额)",
                "ALTER TABLE 票据 ADD COLUMN x",
                "CREATE TEMP TABLE x (a)",
                "PRAGMA user_version = 7",
                "VACUUM",
                "VACUUM INTO '" + nameFor(engine.toStdString(), elsewhere) + "'",
                "REINDEX",
                "ANALYZE",
            };
            for (const auto& sql : writes) {
                bool refused = false;
                try {
                    connection->open(sql);
                } catch (const data::DbError&) {
                    refused = true;
                }
                QVERIFY2(refused, (engine.toStdString() + ": " + sql).c_str());
            }
            // Turning the guard off does not make the file writable.
            try {
                connection->open("PRAGMA query_only = 0");
            } catch (const data::DbError&) {}
            QVERIFY_THROWS_EXCEPTION(data::DbError, connection->open("DELETE FROM 票据"));
            // Only the first of several statements is ever run.
            try {
                connection->open("SELECT 1; DELETE FROM 票据");
            } catch (const data::DbError&) {}
            auto count = connection->open("SELECT count(*) FROM 票据");
            QVERIFY(count->field(0).number() > 0);
        }
        QVERIFY(!std::filesystem::exists(elsewhere));
        QVERIFY(FileState::of(file_) == before);
    }
};

QTEST_MAIN(ReadOnlySessionTest)
#include "ReadOnlySessionTest.moc"
