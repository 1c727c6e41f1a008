// The database file taken away, swapped or locked between two runs of a report window:
// the user is told, the window stays usable, and once the file is back the next run
// gives the same rows as before.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <filesystem>
#include <memory>

#include "BusyPanel.h"
#include "ReconciliationTable.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "SelectionPanel.h"
#include "SqliteConnection.h"
#include "TestDatabase.h"
#include "support/Platform.h"
#include "support/ReportWindowDriving.h"
#include "support/WindowTestServices.h"
#include "windows/DemoConnection.h"

using namespace tally;
using tally::reportui::ReconciliationWindow;
using tally::reportui::ReportWindow;

namespace {

// SQLite opens the file without FILE_SHARE_DELETE: nothing else can take it away meanwhile.
constexpr const char* kHeldOnWindows = "Windows removes or replaces no file that the program holds open";

// A second program holding the file: an exclusive lock keeps every reader out until released.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::string& path) {
        sqlite3_open(path.c_str(), &db_);
        locked_ = sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~ExclusiveLock() {
        release();
        sqlite3_close(db_);
    }
    bool locked() const { return locked_; }
    void release() {
        if (locked_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        locked_ = false;
    }

private:
    sqlite3* db_ = nullptr;
    bool locked_ = false;
};

}  // namespace

class DatabaseFaultsWindowTest : public QObject, private testing::WindowTestServices {
    Q_OBJECT

private:
    std::unique_ptr<testing::DemoConnection> demo_;
    QTemporaryDir folder_;
    std::filesystem::path file_;  // the copy the windows read, free to remove and lock

    void restoreFile() {
        std::filesystem::copy_file(demo_->path(), file_, std::filesystem::copy_options::overwrite_existing);
    }
    static void expectUsable(QWidget& window, QPushButton* command) {
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(window.isEnabled());
        QVERIFY(command->isEnabled());
    }

    // Extracts and runs the VAT invoicing report for 2025; the rows found, -1 when it failed.
    static int runVatInvoicing(ReportWindow& window) {
        testing::extractFeeItems(window, 0, {2025, 1, 1}, {2025, 12, 31});
        auto* panel = window.selectionPanel();
        if (!panel->startButton()->isEnabled()) return -1;
        panel->startButton()->click();
        if (!testing::idle(window)) return -1;
        return window.result() ? window.result()->rowCount() : -1;
    }

    static int runReconciliation(ReconciliationWindow& window) {
        testing::runReconciliation(window, 0, "2025", "01", "03");
        return window.table().rowCount();
    }

private slots:
    void initTestCase() {
        demo_ = std::make_unique<testing::DemoConnection>();
        file_ = std::filesystem::path(folder_.path().toStdString()) / "fees.sqlite";
    }
    void init() {
        restoreFile();
        auto connection = std::make_unique<data::SqliteConnection>(file_.string());
        connection->setLockWait(std::chrono::milliseconds(500));
        connection_ = std::move(connection);
    }
    void cleanup() { connection_.reset(); }
    void cleanupTestCase() { demo_.reset(); }

    void removedFileIsReportedAndTheRunWorksOnceItIsBack() {
        if (testing::kOnWindows) QSKIP(kHeldOnWindows);
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("vat-invoicing", services(), nullptr));
        const int rows = runVatInvoicing(*window);
        QVERIFY(rows > 0);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));

        std::filesystem::remove(file_);
        QCOMPARE(runVatInvoicing(*window), -1);
        QVERIFY(!messages.messages.empty());
        QVERIFY2(messages.texts()[0].contains(QString::fromStdString(file_.string())), qPrintable(messages.texts()[0]));
        QVERIFY2(messages.texts()[0].startsWith("文件不存在或无法打开: 14"), qPrintable(messages.texts()[0]));
        expectUsable(*window, window->selectionPanel()->extractButton());

        restoreFile();
        messages.clear();
        QCOMPARE(runVatInvoicing(*window), rows);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
    }

    // Another file under the same name is read as that file, not the one opened first.
    void replacedFileIsReadAfresh() {
        if (testing::kOnWindows) QSKIP(kHeldOnWindows);
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("vat-invoicing", services(), nullptr));
        QVERIFY(runVatInvoicing(*window) > 0);

        testing::TestDatabase empty;  // the same tables, no rows
        empty.exec("INSERT INTO 职能部门new (职能部门编号, 职能部门名称) VALUES ('01', '一部')");
        empty.exec("INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES ('G1', '北苑', '01')");
        std::filesystem::copy_file(empty.path(), file_.string() + ".new");
        std::filesystem::rename(file_.string() + ".new", file_);
        QCOMPARE(runVatInvoicing(*window), -1);
        QCOMPARE(messages.texts().last(), QString("没有满足条件的开票数据,请重新设置条件!"));
        expectUsable(*window, window->selectionPanel()->extractButton());
    }

    void lockedFileIsReportedAfterTheLockWait() {
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("vat-invoicing", services(), nullptr));
        const int rows = runVatInvoicing(*window);
        QVERIFY(rows > 0);

        ExclusiveLock lock(file_.string());
        QVERIFY(lock.locked());
        QCOMPARE(runVatInvoicing(*window), -1);
        QVERIFY(!messages.messages.empty());
        QVERIFY2(messages.texts()[0].contains("locked"), qPrintable(messages.texts()[0]));
        QVERIFY2(messages.texts()[0].startsWith("数据库被锁定: 5"), qPrintable(messages.texts()[0]));
        expectUsable(*window, window->selectionPanel()->extractButton());

        lock.release();
        messages.clear();
        QCOMPARE(runVatInvoicing(*window), rows);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
    }

    void reconciliationWindowOnALockedThenRemovedFile() {
        auto& messages = notifier_.fresh();
        std::unique_ptr<ReconciliationWindow> window(reportui::createReconciliationWindow(services(), nullptr));
        const int rows = runReconciliation(*window);
        QVERIFY(rows > reports::reconciliation::ReconciliationTable::kHeadingRows);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));

        {
            ExclusiveLock lock(file_.string());
            QVERIFY(lock.locked());
            runReconciliation(*window);
            QVERIFY(!messages.messages.empty());
            QVERIFY2(messages.texts()[0].contains("locked"), qPrintable(messages.texts()[0]));
            expectUsable(*window, window->startButton());
        }
        if (testing::kOnWindows) QSKIP(kHeldOnWindows);
        messages.clear();
        std::filesystem::remove(file_);
        runReconciliation(*window);
        QVERIFY(!messages.messages.empty());
        expectUsable(*window, window->startButton());

        restoreFile();
        messages.clear();
        QCOMPARE(runReconciliation(*window), rows);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
    }
};

QTEST_MAIN(DatabaseFaultsWindowTest)
#include "DatabaseFaultsWindowTest.moc"
