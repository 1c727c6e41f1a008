// The last selection of a run, kept in its own settings file and put back when a window
// opens: department, period, reconciliation year and months, and a department's split;
// a department gone, a value that no longer fits or a file that cannot be written changes
// nothing and is never told; the connection settings file beside it is never written.
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <set>

#include "ConnectionSettings.h"
#include "DemoConnection.h"
#include "ReconciliationSelection.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "SelectionPanel.h"
#include "SelectionStore.h"
#include "SplitRatioGrid.h"
#include "support/ReportWindowDriving.h"

using namespace tally;
using tally::reportui::ReconciliationWindow;
using tally::reportui::ReportWindow;
using tally::reportui::SelectionStore;
using tally::reportui::SplitRatioGrid;

namespace {

// List rows of the demo departments (shorter codes first).
enum DemoDepartment { Estate01 = 0, Estate02 = 1, Estate02Street = 2 };

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class RememberedSelectionTest : public QObject, private testing::DemoWindowTestServices {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    std::unique_ptr<SelectionStore> store_;
    std::unique_ptr<ReportWindow> window_;
    std::unique_ptr<ReconciliationWindow> reconciliation_;

    QString storePath() const { return folder_.filePath("selection.ini"); }

    reportui::WindowServices remembering() {
        auto services = this->services();
        services.selectionStore = store_.get();
        return services;
    }
    template <class Window>
    void activate(Window& window) {
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    void openDetail(const char* kind) {
        window_.reset(reportui::createReportWindow(kind, remembering(), nullptr));
        QVERIFY(window_);
        activate(*window_);
    }
    void openReconciliation() {
        reconciliation_.reset(reportui::createReconciliationWindow(remembering(), nullptr));
        activate(*reconciliation_);
    }
    reportui::SelectionPanel* panel() const { return window_->selectionPanel(); }
    SplitRatioGrid* splits() const { return panel()->splitGrid(); }
    void setSplit(int row, const QString& developer, const QString& property) {
        splits()->item(row, SplitRatioGrid::DeveloperColumn)->setText(developer);
        splits()->item(row, SplitRatioGrid::PropertyColumn)->setText(property);
    }
    QStringList splitRow(int row) const {
        return {splits()->item(row, SplitRatioGrid::DeveloperColumn)->text(),
                splits()->item(row, SplitRatioGrid::PropertyColumn)->text()};
    }
    QStringList headingRow1() const {
        QStringList texts;
        for (const auto& text : window_->resultGrid()->headings().row1) texts << QString::fromStdString(text);
        return texts;
    }
    // Extraction of Estate 01 over 2025 in a VAT invoicing window, its first parking item at
    // 60/40, then the run.
    void runWithSplit(const QDate& from, const QDate& to) {
        openDetail("vat-invoicing");
        testing::extractFeeItems(*window_, Estate01, from, to);
        QVERIFY(splits()->rowCount() > 0);
        setSplit(0, "60", "40%");
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY(window_->result() && window_->result()->rowCount() > 0);
    }
    // Rewrites kept values in the file as if another version or a hand had.
    void rewrite(const std::function<void(QSettings&)>& change) {
        QSettings file(storePath(), QSettings::IniFormat);
        change(file);
        file.sync();
        QCOMPARE(file.status(), QSettings::NoError);
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        demo_ = std::make_unique<testing::DemoConnection>();
    }
    void cleanupTestCase() { demo_.reset(); }
    void init() {
        QFile::remove(storePath());
        store_ = std::make_unique<SelectionStore>(storePath());
    }
    void cleanup() {
        window_.reset();
        reconciliation_.reset();
    }

    void aDetailRunIsPutBackWhenTheWindowOpensAgain() {
        // The user's connection settings, beside the kept selection.
        const QString connectionFile = folder_.filePath("Korvane2011.ini");
        data::ConnectionSettings connection{"sqlite:/srv/fees.sqlite", "ops", "p;w", "Fees"};
        QVERIFY(data::writeConnectionSettings(connection, connectionFile.toStdString()).empty());
        const QByteArray connectionBytes = contentsOf(connectionFile);
        const QDateTime connectionWritten = QFileInfo(connectionFile).lastModified();

        openDetail("vat-invoicing");
        testing::extractFeeItems(*window_, Estate02Street, {2025, 3, 1}, {2025, 6, 30});
        // Extracted but not run: nothing is kept yet.
        QVERIFY(!QFile::exists(storePath()));
        testing::extractFeeItems(*window_, Estate01, {2025, 3, 1}, {2025, 6, 30});
        QVERIFY(splits()->rowCount() > 0);
        std::set<std::string> items;
        for (int r = 0; r < splits()->rowCount(); ++r) {
            setSplit(r, "60", "40%");
            items.insert(splits()->rows()[r].code);
        }
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY(window_->result() && window_->result()->rowCount() > 0);
        window_.reset();
        QVERIFY(QFile::exists(storePath()));

        auto& messages = notifier_.fresh();
        openDetail("vat-invoicing");
        const auto department = window_->selectedDepartment();
        QVERIFY(department);
        QCOMPARE(department->departmentCode, std::string("01"));
        QCOMPARE(panel()->departmentList()->currentRow(), int(Estate01));
        QCOMPARE(window_->titleText().toStdString(), window_->report().titleFor(*department));
        QCOMPARE(panel()->startPicker()->date(), QDate(2025, 3, 1));
        QCOMPARE(panel()->endPicker()->date(), QDate(2025, 6, 30));
        QVERIFY(!panel()->startButton()->isEnabled());
        QCOMPARE(splits()->rowCount(), 0);

        // The split comes back with the department's items, in the grid and the headings,
        // as the run used it ("40%" ran as 40).
        panel()->extractButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(splits()->rowCount(), int(items.size()));
        for (int r = 0; r < splits()->rowCount(); ++r) QCOMPARE(splitRow(r), (QStringList{"60", "40"}));
        QVERIFY2(headingRow1().contains("开发商60%") && headingRow1().contains("物业40%"),
                 qPrintable(headingRow1().join(",")));
        QVERIFY(messages.messages.empty());

        // Another detail window keeps its own department and period, but the department's
        // split is the department's.
        window_.reset();
        openDetail("parking");
        QVERIFY(!window_->selectedDepartment());
        QVERIFY(panel()->startPicker()->date() != QDate(2025, 3, 1));
        testing::extractFeeItems(*window_, Estate01, {2025, 1, 1}, {2025, 12, 31});
        int kept = 0;
        for (int r = 0; r < splits()->rowCount(); ++r) {
            const bool run = items.count(splits()->rows()[r].code) > 0;
            kept += run ? 1 : 0;
            QCOMPARE(splitRow(r), run ? (QStringList{"60", "40"}) : (QStringList{"70", "30"}));
        }
        QVERIFY(kept > 0);
        QVERIFY(messages.messages.empty());

        QCOMPARE(contentsOf(connectionFile), connectionBytes);
        QCOMPARE(QFileInfo(connectionFile).lastModified(), connectionWritten);
        QCOMPARE(data::readConnectionSettings(connectionFile.toStdString()).password, std::string("p;w"));
    }

    void theReconciliationSelectionIsPutBack() {
        openReconciliation();
        testing::runReconciliation(*reconciliation_, Estate02, "2017", "03", "09");
        const auto department = reconciliation_->selectedDepartment();
        QVERIFY(department);
        reconciliation_.reset();

        auto& messages = notifier_.fresh();
        openReconciliation();
        QCOMPARE(reconciliation_->departmentList()->currentRow(), int(Estate02));
        QCOMPARE(reconciliation_->yearText(), QString("2017"));
        QCOMPARE(reconciliation_->startMonthText(), QString("03"));
        QCOMPARE(reconciliation_->endMonthText(), QString("09"));
        QCOMPARE(reconciliation_->titleText().toStdString(),
                 reports::reconciliation::reconciliationTitle("2017", *department));
        QVERIFY(messages.messages.empty());

        // The detail windows keep theirs apart.
        openDetail("parking");
        QVERIFY(!window_->selectedDepartment());
    }

    void aDepartmentGoneAndValuesThatNoLongerFitAreIgnoredSilently() {
        runWithSplit({2025, 1, 1}, {2025, 12, 31});
        window_.reset();
        openReconciliation();
        testing::runReconciliation(*reconciliation_, Estate01, "2017", "03", "09");
        reconciliation_.reset();
        rewrite([](QSettings& file) {
            // The department closed since; another version's dates and months; a split
            // edited by hand.
            file.setValue("vat-invoicing/department_code", "99");
            file.setValue("vat-invoicing/from", "20250230");
            file.setValue("reconciliation/year", "1999");
            file.setValue("reconciliation/start_month", "13");
            for (const QString& key : file.allKeys())
                if (key.endsWith("/developer")) file.setValue(key, "abc");
        });

        auto& messages = notifier_.fresh();
        const QDate today = QDate::currentDate();
        openDetail("vat-invoicing");
        QVERIFY(!window_->selectedDepartment());
        QCOMPARE(window_->titleText(), window_->windowTitle());
        // An impossible day is not moved to a nearby one: the picker opens at today.
        QVERIFY(panel()->startPicker()->date() >= today && panel()->startPicker()->date() <= QDate::currentDate());
        QCOMPARE(panel()->endPicker()->date(), QDate(2025, 12, 31));
        testing::extractFeeItems(*window_, Estate01, {2025, 1, 1}, {2025, 12, 31});
        QCOMPARE(splitRow(0), (QStringList{"70", "30"}));
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));

        const QString yearNow = QString::number(QDate::currentDate().year());
        openReconciliation();
        QCOMPARE(reconciliation_->yearText(), yearNow);
        QCOMPARE(reconciliation_->startMonthText(), QString("01"));
        QCOMPARE(reconciliation_->endMonthText(), QString("09"));
        QCOMPARE(reconciliation_->departmentList()->currentRow(), int(Estate01));
        QVERIFY(messages.messages.empty());
    }

    void aFileThatCannotBeWrittenOrReadNeverStopsAReport() {
        // The store's folder is a file: nothing can be made there.
        const QString blocker = folder_.filePath("blocker");
        {
            QFile file(blocker);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a folder");
        }
        store_ = std::make_unique<SelectionStore>(folder_.filePath("blocker/selection.ini"));
        auto& messages = notifier_.fresh();
        runWithSplit({2025, 1, 1}, {2025, 12, 31});
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QCOMPARE(contentsOf(blocker), QByteArray("not a folder"));
        QVERIFY(!store_->save({{"parking/from", "20250101"}}));

        // A file that is no settings file at all: the windows open as if it were not there,
        // and the next run puts the file right.
        static const char kJunk[] = "\x01\x02[[[=\xff\xfe\n\x00\x00=]";
        const QByteArray junk(kJunk, sizeof kJunk - 1);  // the NULs included
        {
            QFile file(storePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(junk);
        }
        store_ = std::make_unique<SelectionStore>(storePath());
        window_.reset();
        openDetail("vat-invoicing");
        QVERIFY(!window_->selectedDepartment());
        window_.reset();
        runWithSplit({2025, 1, 1}, {2025, 12, 31});
        window_.reset();
        openDetail("vat-invoicing");
        QCOMPARE(panel()->departmentList()->currentRow(), int(Estate01));
        QVERIFY(messages.messages.empty());
    }

    void theStoreKeepsTextsExactlyAndWritesOnlyItsKeys() {
        const reports::RememberedValues awkward = {{"parking/department_code", " 0;1,2 "},
                                                   {"parking/office_code", "\"GL\"=01#"},
                                                   {"reconciliation/department_code", "@Variant(x)"},
                                                   {"reconciliation/office_code", "管理处\\n"},
                                                   {"reconciliation/year", ""}};
        QVERIFY(store_->save(awkward));
        QVERIFY(store_->save({{"parking/from", "20250101"}}));
        auto expected = awkward;
        expected["parking/from"] = "20250101";
        QCOMPARE(SelectionStore(storePath()).load(), expected);

        QCOMPARE(QFileInfo(SelectionStore::defaultFilePath()).fileName(), QString("selection.ini"));
        QVERIFY(QFileInfo(SelectionStore::defaultFilePath()).absoluteFilePath() !=
                QFileInfo(QString::fromStdString(data::userSettingsPath())).absoluteFilePath());
        QVERIFY(SelectionStore(folder_.filePath("none.ini")).load().empty());
    }
};

QTEST_MAIN(RememberedSelectionTest)
#include "RememberedSelectionTest.moc"
