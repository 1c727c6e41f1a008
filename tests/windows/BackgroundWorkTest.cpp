// The report windows' work off their thread: 取消 on the busy panel stops a slow statement
// and leaves the window usable with its last result or none; a double click runs a
// command once; a window or the main window closed mid-run goes without a crash and
// leaves the connection free; a second window waits for the connection and says so; a
// cancelled .xls conversion leaves no file.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <mutex>
#include <stdexcept>

#include "BackgroundRun.h"
#include "BusyPanel.h"
#include "DemoConnection.h"
#include "DetailExportCommand.h"
#include "ExportCommand.h"
#include "MainWindow.h"
#include "ReconciliationExportCommand.h"
#include "ReconciliationWindow.h"
#include "ReportCatalog.h"
#include "ReportWindow.h"
#include "ReportWindowFactories.h"
#include "ReportWindowFactory.h"
#include "ResultGrid.h"
#include "SelectionPanel.h"
#include "SlowConnection.h"
#include "support/Platform.h"
#include "support/RecordingNotifier.h"
#include "support/ReportWindowDriving.h"

using namespace tally;
using reportui::ReconciliationWindow;
using reportui::ReportWindow;

namespace {

constexpr int kEstate01 = 0;
constexpr int kLongWait = 20000;  // ms; the slow statement alone would take 100 s

}  // namespace

class BackgroundWorkTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::DemoConnection> demo_;
    std::unique_ptr<testing::SlowConnection> slow_;
    testing::RecordingNotifier notifier_{MessageAnswer::Yes};

    reportui::WindowServices services() { return {slow_.get(), &notifier_, {}, {}, {}, {}}; }

    std::unique_ptr<ReportWindow> openDetail(reportui::WindowServices services) {
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow("vat-invoicing", services, nullptr));
        window->show();
        return window;
    }
    void pick(ReportWindow& window) {
        window.selectionPanel()->departmentList()->setCurrentRow(kEstate01);
        window.selectionPanel()->startPicker()->setDate({2025, 1, 1});
        window.selectionPanel()->endPicker()->setDate({2025, 12, 31});
    }
    // Arms the slow statement and waits until `command` has started it.
    bool startSlow(QPushButton* command) {
        const int before = slow_->slowStarted.load();
        slow_->armed = true;
        command->click();
        return QTest::qWaitFor([&] { return slow_->slowStarted.load() > before; }, kLongWait);
    }
    // The connection is free and takes statements again.
    bool connectionFree() {
        std::unique_lock<std::timed_mutex> turn(slow_->turn(), std::try_to_lock);
        if (!turn.owns_lock() || slow_->interrupted()) return false;
        auto rows = slow_->open("SELECT 1");
        return !rows->eof();
    }

private slots:
    void initTestCase() { demo_ = std::make_unique<testing::DemoConnection>(); }
    void init() {
        slow_ = std::make_unique<testing::SlowConnection>(demo_->path());
        notifier_.fresh(MessageAnswer::Yes);
    }
    void cleanup() {
        slow_->armed = false;
        QVERIFY(connectionFree());
        slow_.reset();
    }

    // Work that ends in an exception of its own (a fault of the program) is told, and the
    // window and the connection are free again.
    void anEscapedFailureIsToldAndTheWindowGoesOn() {
        auto window = openDetail(services());
        bool ended = false;
        QVERIFY(window->runInBackground(
            "…", slow_.get(), [] { throw std::runtime_error("boom"); }, [&](bool) { ended = true; }));
        QTRY_VERIFY_WITH_TIMEOUT(ended && !window->busy(), kLongWait);
        QCOMPARE(notifier_.texts(), QStringList{"程序内部错误: boom"});
        QVERIFY(window->selectionPanel()->extractButton()->isEnabled());
    }

    // While the statement runs the window paints and takes events, the commands are off
    // and 取消 is live; 取消 ends it without a message and the window works again.
    void cancellingAnExtractionLeavesTheWindowAsItWas() {
        auto window = openDetail(services());
        auto* panel = window->selectionPanel();
        pick(*window);
        QVERIFY(startSlow(panel->extractButton()));

        QVERIFY(window->busy());
        QVERIFY(window->busyPanel()->isVisible());
        QVERIFY(window->busyPanel()->cancelButton()->isEnabled());
        for (QWidget* command :
             std::initializer_list<QWidget*>{panel->extractButton(), panel->startButton(), window->exportButton(),
                                             window->previewButton(), panel->departmentList()})
            QVERIFY2(!command->isEnabled(), qPrintable(command->objectName()));
        bool answered = false;
        QTimer::singleShot(0, window.get(), [&] { answered = true; });
        QTRY_VERIFY(answered);
        window->resize(window->width() + 40, window->height() + 30);
        QVERIFY(window->busy());

        QTest::mouseClick(window->busyPanel()->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), kLongWait);
        QVERIFY2(notifier_.messages.empty(), qPrintable(notifier_.texts().join("; ")));
        QVERIFY(!window->busyPanel()->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!window->capturedDepartment());
        QVERIFY(window->feeItems().empty());
        QVERIFY(!panel->startButton()->isEnabled());
        QVERIFY(panel->extractButton()->isEnabled());
        QVERIFY(panel->departmentList()->isEnabled());

        slow_->armed = false;
        panel->extractButton()->click();
        QVERIFY(testing::idle(*window));
        QVERIFY2(notifier_.messages.empty(), qPrintable(notifier_.texts().join("; ")));
        QVERIFY(!window->feeItems().empty());
        QVERIFY(panel->startButton()->isEnabled());
    }

    // The last result goes as the run starts; a cancelled run shows none, never part of one.
    void cancellingARunShowsNoRows() {
        auto window = openDetail(services());
        testing::runReport(*window, kEstate01, {2025, 1, 1}, {2025, 12, 31});
        QVERIFY(window->result() && window->result()->rowCount() > 0);
        notifier_.fresh(MessageAnswer::Yes);
        window->selectionPanel()->extractButton()->click();
        QVERIFY(testing::idle(*window));

        QVERIFY(startSlow(window->selectionPanel()->startButton()));
        window->cancelWork();
        QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), kLongWait);
        QVERIFY2(notifier_.messages.empty(), qPrintable(notifier_.texts().join("; ")));
        QVERIFY(!window->result());
        QCOMPARE(window->resultGrid()->dataRowCount(), 0);
        QVERIFY(window->selectionPanel()->startButton()->isEnabled());

        slow_->armed = false;
        window->selectionPanel()->startButton()->click();
        QVERIFY(testing::idle(*window));
        QVERIFY(window->result() && window->result()->rowCount() > 0);
    }

    void cancellingAReconciliationKeepsOnlyTheHeadings() {
        std::unique_ptr<ReconciliationWindow> window(reportui::createReconciliationWindow(services(), nullptr));
        window->show();
        testing::runReconciliation(*window, kEstate01, "2025", "01", "01");
        const int rows = window->table().rowCount();
        QVERIFY(rows > 2);
        notifier_.fresh(MessageAnswer::Yes);

        QVERIFY(startSlow(window->startButton()));
        QVERIFY(!window->startButton()->isEnabled());
        QTest::mouseClick(window->busyPanel()->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), kLongWait);
        QVERIFY2(notifier_.messages.empty(), qPrintable(notifier_.texts().join("; ")));
        QCOMPARE(window->table().rowCount(), 2);
        QCOMPARE(window->resultGrid()->dataRowCount(), 0);
        QVERIFY(window->startButton()->isEnabled());

        slow_->armed = false;
        window->startButton()->click();
        QVERIFY(testing::idle(*window));
        QCOMPARE(window->table().rowCount(), rows);
    }

    // Two clicks before the window gets back to its event loop, as a double click queues
    // them. The test holds the connection, so the first click's work is still waiting when
    // the second click arrives, however fast the machine.
    void aDoubleClickRunsEachCommandOnce() {
        auto window = openDetail(services());
        pick(*window);
        auto* panel = window->selectionPanel();
        auto countOf = [&](QPushButton* command, int clicks) {
            const std::size_t before = slow_->statementCount();
            {
                std::lock_guard<std::timed_mutex> turn(slow_->turn());
                for (int i = 0; i < clicks; ++i) QTest::mouseClick(command, Qt::LeftButton);
                if (!window->busy()) return std::size_t(0);
            }
            if (!testing::idle(*window)) return std::size_t(0);
            return slow_->statementCount() - before;
        };
        const std::size_t extraction = countOf(panel->extractButton(), 1);
        QVERIFY(extraction > 0);
        QCOMPARE(countOf(panel->extractButton(), 2), extraction);
        const std::size_t run = countOf(panel->startButton(), 1);
        QVERIFY(run > 0);
        QVERIFY(panel->extractButton()->isEnabled());
        panel->extractButton()->click();
        QVERIFY(testing::idle(*window));
        QCOMPARE(countOf(panel->startButton(), 2), run);

        std::unique_ptr<ReconciliationWindow> reconciliation(reportui::createReconciliationWindow(services(), nullptr));
        reconciliation->show();
        reconciliation->departmentList()->setCurrentRow(kEstate01);
        reconciliation->yearBox()->setCurrentText("2025");
        reconciliation->endMonthBox()->setCurrentText("01");
        const std::size_t before = slow_->statementCount();
        {
            std::lock_guard<std::timed_mutex> turn(slow_->turn());
            QTest::mouseClick(reconciliation->startButton(), Qt::LeftButton);
            QTest::mouseClick(reconciliation->startButton(), Qt::LeftButton);
            QVERIFY(reconciliation->busy());
            QVERIFY(!reconciliation->startButton()->isEnabled());
        }
        QVERIFY(testing::idle(*reconciliation));
        const std::size_t once = slow_->statementCount() - before;
        reconciliation->startButton()->click();
        QVERIFY(testing::idle(*reconciliation));
        QCOMPARE(slow_->statementCount() - before, 2 * once);
    }

    void aDoubleClickOnExportWritesOnce() {
        QTemporaryDir folder;
        int asked = 0;
        exports::ExportEnvironment environment;
        environment.chooseFile = [&](QWidget*, const QString&, const QString&) {
            ++asked;
            return std::optional<QString>(folder.filePath("开票.xlsx"));
        };
        environment.findConverter = [] { return std::nullopt; };
        auto withExport = services();
        withExport.exportDetail = exports::detailExportHook(environment);
        auto window = openDetail(withExport);
        testing::runReport(*window, kEstate01, {2025, 1, 1}, {2025, 12, 31});
        notifier_.fresh(MessageAnswer::Yes);
        QTest::mouseClick(window->exportButton(), Qt::LeftButton);
        QTest::mouseClick(window->exportButton(), Qt::LeftButton);
        QVERIFY(testing::idle(*window));
        QCOMPARE(asked, 1);
        QCOMPARE(notifier_.texts(), QStringList{"增值税开票明细表导出成功！"});
    }

    // Another window's run holds the connection: this one says so, can be cancelled
    // without stopping the other, and runs once the other is done.
    void aSecondWindowWaitsForTheConnection() {
        auto first = openDetail(services());
        auto second = openDetail(services());
        pick(*first);
        pick(*second);
        const QString ownCaption = QString::fromStdString(second->report().texts().extractBusy);
        QVERIFY(startSlow(first->selectionPanel()->extractButton()));

        second->selectionPanel()->extractButton()->click();
        QTRY_COMPARE(second->busyPanel()->caption(), QString(reportui::BusyPanel::kWaitingCaption));
        second->cancelWork();
        QTRY_VERIFY_WITH_TIMEOUT(!second->busy(), kLongWait);
        QVERIFY(first->busy());
        QCOMPARE(slow_->slowStarted.load(), 1);

        second->selectionPanel()->extractButton()->click();
        QTRY_COMPARE(second->busyPanel()->caption(), QString(reportui::BusyPanel::kWaitingCaption));
        slow_->armed = false;
        first->cancelWork();
        QTRY_VERIFY_WITH_TIMEOUT(!first->busy(), kLongWait);
        QVERIFY(testing::idle(*second));
        QVERIFY(first->feeItems().empty());
        QVERIFY(!second->feeItems().empty());
        QVERIFY2(notifier_.messages.empty(), qPrintable(notifier_.texts().join("; ")));
    }

    // Closing interrupts the statement and waits for it; nothing reaches the window after.
    void closingAWindowMidRun() {
        QMdiArea area;
        auto* window = reportui::createReportWindow("vat-invoicing", services(), &area);
        QMdiSubWindow* sub = area.addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        sub->show();
        pick(*static_cast<ReportWindow*>(window));
        QVERIFY(startSlow(static_cast<ReportWindow*>(window)->selectionPanel()->extractButton()));
        QPointer<QMdiSubWindow> frame = sub;
        static_cast<ReportWindow*>(window)->exitButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(frame.isNull(), kLongWait);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(notifier_.messages.empty());

        // Destroyed outright (no close event) in the middle of a reconciliation.
        slow_->armed = false;  // the new window reads its lists as it opens
        std::unique_ptr<ReconciliationWindow> reconciliation(reportui::createReconciliationWindow(services(), nullptr));
        reconciliation->show();
        reconciliation->departmentList()->setCurrentRow(kEstate01);
        QVERIFY(startSlow(reconciliation->startButton()));
        reconciliation.reset();
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(notifier_.messages.empty());
    }

    void closingTheMainWindowMidRun() {
        int endings = 0;
        auto main = std::make_unique<app::MainWindow>(notifier_, app::reportWindowFactories(services()));
        main->setEndProcess([&] { ++endings; });
        main->show();
        QWidget* sub = main->showReportWindow(app::ReportKind::VatInvoicing);
        QVERIFY(sub);
        auto* window = sub->findChild<ReportWindow*>();
        QVERIFY(window);
        pick(*window);
        QVERIFY(startSlow(window->selectionPanel()->extractButton()));
        main->close();
        QCOMPARE(endings, 1);
        main.reset();
        QVERIFY(!QApplication::overrideCursor());
    }

    // The .xls conversion has its own caption; 取消 stops the converter and leaves no file,
    // not even the temporary ones.
    void cancellingTheXlsConversionLeavesNoFile() {
        QTemporaryDir folder, tools;
        // A converter that never ends by itself (on Windows a batch file that spins until stopped).
        const QString converter = tools.filePath(testing::kOnWindows ? "soffice.cmd" : "soffice");
        {
            QFile script(converter);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(testing::kOnWindows ? "@echo off\r\n:wait\r\ngoto wait\r\n" : "#!/bin/sh\nexec sleep 120\n");
        }
        QFile::setPermissions(converter, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        exports::ExportEnvironment environment;
        environment.chooseFile = [&](QWidget*, const QString&, const QString&) {
            return std::optional<QString>(folder.filePath("开票.xls"));
        };
        environment.findConverter = [&] { return std::optional<std::filesystem::path>(converter.toStdString()); };
        auto withExport = services();
        withExport.exportDetail = exports::detailExportHook(environment);
        auto window = openDetail(withExport);
        testing::runReport(*window, kEstate01, {2025, 1, 1}, {2025, 12, 31});
        notifier_.fresh(MessageAnswer::Yes);

        window->exportButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(window->busyPanel()->caption(), QString(exports::kConvertingCaption), kLongWait);
        QVERIFY(window->progressBar()->isHidden());
        QVERIFY(window->busy());
        QTest::mouseClick(window->busyPanel()->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), kLongWait);
        QVERIFY2(notifier_.messages.empty(), qPrintable(notifier_.texts().join("; ")));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(!window->exportButton()->isHidden());
        QVERIFY(!window->exitButton()->isHidden());
        QVERIFY(window->exportButton()->isEnabled());
    }
};

QTEST_MAIN(BackgroundWorkTest)
#include "BackgroundWorkTest.moc"
