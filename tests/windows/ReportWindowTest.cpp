// The report windows on a demo database: opening state, the extract and start
// commands with their checks and messages, the captured department, paging from
// the window, the export command's guard, exit, and the resize rule.
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <memory>

#include "BusyPanel.h"
#include "DemoConnection.h"
#include "PageNavigator.h"
#include "Paging.h"
#include "PreviewCommands.h"
#include "ReportCatalog.h"
#include "ReportStatusBar.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "ResultPager.h"
#include "SelectionPanel.h"
#include "SplitRatioGrid.h"
#include "support/RecordingNotifier.h"
#include "support/ReportWindowDriving.h"

using namespace tally;
using tally::reportui::ReportWindow;

namespace {

// List rows of the demo departments (shorter codes first).
enum DemoDepartment { Estate01 = 0, Estate02 = 1, Estate02Street = 2, CarPark11 = 3, Tower101 = 4 };

// Delegates to a real engine and notes what the window looked like when it was called.
class ObservedReport : public reports::DetailReport {
public:
    explicit ObservedReport(std::unique_ptr<reports::DetailReport> inner) : inner_(std::move(inner)) {}

    struct Call {
        bool busyShown = false;
        QString busyCaption;
        bool waitCursor = false;
        reports::ReportRequest request;
        reports::SplitRatioRows splits;  // for a run
    };
    ReportWindow* window = nullptr;
    mutable std::vector<Call> extractions, runs;

    const reports::ReportTexts& texts() const override { return inner_->texts(); }
    reports::HeadingLayout initialHeadings() const override { return inner_->initialHeadings(); }
    reports::HeadingLayout layoutHeadings(const reports::FeeItemList& items,
                                          const reports::SplitRatioRows& splits) const override {
        return inner_->layoutHeadings(items, splits);
    }
    bool layoutHeadingsBeforeRun() const override { return inner_->layoutHeadingsBeforeRun(); }
    reports::Extraction extractFeeItems(data::Connection& c, const reports::ReportRequest& r) const override {
        extractions.push_back(observe(r));
        return inner_->extractFeeItems(c, r);
    }
    reports::Outcome<std::shared_ptr<const reports::ReportResult>> run(
        data::Connection& c, const reports::ReportRequest& r, const reports::FeeItemList& items,
        const reports::SplitRatioRows& splits) const override {
        runs.push_back(observe(r));
        runs.back().splits = splits;
        return inner_->run(c, r, items, splits);
    }

private:
    Call observe(const reports::ReportRequest& request) const {
        Call call;
        call.busyShown = window->busyPanel()->isVisible();
        call.busyCaption = window->busyPanel()->caption();
        call.waitCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        call.request = request;
        return call;
    }
    std::unique_ptr<reports::DetailReport> inner_;
};

}  // namespace

class ReportWindowTest : public QObject, private testing::DemoWindowTestServices {
    Q_OBJECT

private:
    std::unique_ptr<ReportWindow> window_;

    std::unique_ptr<ReportWindow> open(const char* kind, std::function<void(ReportWindow&)> exportCommand = {},
                                       std::function<void(ReportWindow&)> previewCommand = {}) {
        auto withExport = services();
        withExport.exportDetail = std::move(exportCommand);
        withExport.previewDetail = std::move(previewCommand);
        std::unique_ptr<ReportWindow> window(reportui::createReportWindow(kind, withExport, nullptr));
        if (window) {
            window->show();
            QApplication::setActiveWindow(window.get());
            [[maybe_unused]] bool active = QTest::qWaitForWindowActive(window.get());
        }
        return window;
    }
    reportui::SelectionPanel* panel() const { return window_->selectionPanel(); }
    void selectDepartment(int row) { panel()->departmentList()->setCurrentRow(row); }
    void setPeriod(QDate from, QDate to) {
        panel()->startPicker()->setDate(from);
        panel()->endPicker()->setDate(to);
    }
    void extract(int department, QDate from = {2025, 1, 1}, QDate to = {2025, 12, 31}) {
        testing::extractFeeItems(*window_, department, from, to);
    }
    QString pageLabel() const { return window_->pageNavigator()->labelText(); }

private slots:
    void initTestCase() { demo_ = std::make_unique<testing::DemoConnection>(); }
    void cleanupTestCase() { demo_.reset(); }
    void cleanup() { window_.reset(); }

    void openingState_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("periodLabel");
        QTest::addColumn<int>("columns");
        QTest::newRow("parking") << "parking"
                                 << "frm停车费明细表New"
                                 << "停车费明细表"
                                 << "收款日期范围" << 4;
        QTest::newRow("VAT invoicing") << "vat-invoicing"
                                       << "frm票据开票明细表New"
                                       << "增值税开票明细表"
                                       << "开票日期范围" << 9;
        QTest::newRow("VAT pre-invoicing") << "pre-invoicing"
                                           << "frm票据预开明细表New"
                                           << "增值税预开票明细表"
                                           << "开票日期范围" << 7;
    }
    void openingState() {
        QFETCH(QString, kind);
        QFETCH(QString, objectName);
        QFETCH(QString, caption);
        QFETCH(QString, periodLabel);
        QFETCH(int, columns);
        auto& messages = notifier_.fresh();
        // The window reads the clock while it opens: across midnight either day is right.
        const QDate before = QDate::currentDate();
        window_ = open(kind.toUtf8().constData());
        QVERIFY(window_);
        QCOMPARE(window_->objectName(), objectName);
        QCOMPARE(window_->windowTitle(), caption);
        QCOMPARE(window_->titleText(), caption);
        QCOMPARE(window_->findChild<QLabel*>("PeriodLabel")->text(), periodLabel);

        const QDate start = panel()->startPicker()->date();
        const QString startText = panel()->startPicker()->text();
        const QDate end = panel()->endPicker()->date();
        const QString endText = panel()->endPicker()->text();
        const QString statusDate = window_->reportStatusBar()->panel(reportui::ReportStatusBar::DatePanel)->text();
        const QDate after = QDate::currentDate();
        const QStringList days{before.toString("yyyy-MM-dd"), after.toString("yyyy-MM-dd")};
        for (const QDate& day : {start, end})
            QVERIFY2(day == before || day == after, qPrintable(day.toString(Qt::ISODate)));
        for (const QString& text : {startText, endText, statusDate}) QVERIFY2(days.contains(text), qPrintable(text));
        QCOMPARE(startText, start.toString("yyyy-MM-dd"));
        QCOMPARE(endText, end.toString("yyyy-MM-dd"));
        for (QDateEdit* picker : {panel()->startPicker(), panel()->endPicker()})
            QCOMPARE(picker->displayFormat(), QString("yyyy-MM-dd"));
        QListWidget* list = panel()->departmentList();
        QCOMPARE(list->count(), 5);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(list->item(Estate01)->text(), QString("01 翠湖花园管理处【GL01】"));
        QCOMPARE(list->item(Estate02Street)->text(), QString("02 锦绣华庭商业街管理处【GL03】"));
        QCOMPARE(QString::fromStdString(window_->invoiceTypeList()), QString("'01','02','03','04','05'"));

        QVERIFY(!panel()->startButton()->isEnabled());
        QCOMPARE(panel()->splitGrid()->rowCount(), 0);
        QCOMPARE(window_->resultGrid()->model()->rowCount(), 2);
        QCOMPARE(window_->resultGrid()->model()->columnCount(), columns);
        QCOMPARE(pageLabel(), QString("第 00 页 共 00 页"));
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!window_->progressBar()->isVisible());
        QVERIFY(window_->exportButton()->isVisible());
        QCOMPARE(window_->exportButton()->text(), QString("导出Excel"));

        auto* status = window_->reportStatusBar();
        QCOMPARE(status->panel(0)->text(), QString("操作员"));
        QVERIFY(status->panel(1)->text().isEmpty());
        QVERIFY(status->panel(3)->text().isEmpty());
        QVERIFY(status->panel(5)->text().isEmpty());
        QVERIFY(messages.messages.empty());
    }

    void extractingWithoutADepartmentIsRefused() {
        window_ = open("vat-invoicing");
        auto& messages = notifier_.fresh();
        panel()->extractButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), QStringList{"请先选择统计部门!"});
        QCOMPARE(QString::fromStdString(messages.messages[0].title), QString("系统提示"));
        QVERIFY(!window_->capturedDepartment());
        QVERIFY(!panel()->startButton()->isEnabled());
    }

    void anEndBeforeTheStartIsRefusedAndFocusesTheEndPicker() {
        window_ = open("vat-invoicing");
        auto& messages = notifier_.fresh();
        panel()->extractButton()->setFocus();
        extract(Estate01, {2025, 3, 2}, {2025, 3, 1});
        QCOMPARE(messages.texts(), QStringList{"截至日期不能小于开始日期!"});
        QVERIFY(panel()->endPicker()->hasFocus());
        QVERIFY(!window_->capturedDepartment());
        QVERIFY(window_->feeItems().empty());
    }

    void equalDatesAreAccepted() {
        window_ = open("vat-invoicing");
        auto& messages = notifier_.fresh();
        extract(Estate01, {2025, 3, 3}, {2025, 3, 3});
        QVERIFY(!messages.texts().contains("截至日期不能小于开始日期!"));
        QVERIFY(window_->capturedDepartment());
    }

    void extractionEnablesTheStartCommand_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("parking") << "parking";
        QTest::newRow("VAT invoicing") << "vat-invoicing";
        QTest::newRow("VAT pre-invoicing") << "pre-invoicing";
    }
    void extractionEnablesTheStartCommand() {
        QFETCH(QString, kind);
        window_ = open(kind.toUtf8().constData());
        auto& messages = notifier_.fresh();
        extract(Estate01);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QVERIFY(!window_->feeItems().empty());
        QVERIFY(panel()->startButton()->isEnabled());
        QCOMPARE(window_->capturedDepartment()->departmentCode, std::string("01"));
        QCOMPARE(window_->capturedDepartment()->officeCode, std::string("GL01"));
        // One split row per parking item, at 70/30.
        int parkingItems = 0;
        for (const auto& item : window_->feeItems()) parkingItems += item.isParking() ? 1 : 0;
        QCOMPARE(panel()->splitGrid()->rowCount(), parkingItems);
        QVERIFY(parkingItems > 0);
        QCOMPARE(panel()->splitGrid()->item(0, 2)->text(), QString("70"));
        // The headings now have the items' value columns.
        QVERIFY(window_->resultGrid()->model()->columnCount() > window_->report().initialHeadings().columnCount());
    }

    void aRunShowsPageOneAndDisablesTheStartCommand_data() { extractionEnablesTheStartCommand_data(); }
    void aRunShowsPageOneAndDisablesTheStartCommand() {
        QFETCH(QString, kind);
        window_ = open(kind.toUtf8().constData());
        auto& messages = notifier_.fresh();
        extract(Estate01);
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QVERIFY(!panel()->startButton()->isEnabled());
        auto result = window_->result();
        QVERIFY(result && result->rowCount() > 0);
        const int pageSize = window_->pager()->pageSize();
        const int pages = reports::pageCountFor(result->rowCount(), pageSize);
        QCOMPARE(pageLabel(), QString::fromStdString(reports::pageLabel(1, pages)));
        QCOMPARE(window_->resultGrid()->dataRowCount(), std::min(pageSize, result->rowCount()));
        QCOMPARE(window_->resultGrid()->pageModel()->cellText(2, 0), QString("1"));
        QCOMPARE(window_->resultGrid()->frozenColumns(), window_->resultGrid()->headings().frozenColumns);
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void theRunUsesTheCapturedDepartmentAndThePickersAtRunTime() {
        auto observed = std::make_unique<ObservedReport>(reports::makeDetailReport("vat-invoicing"));
        ObservedReport* spy = observed.get();
        window_ = std::make_unique<ReportWindow>(std::move(observed), services());
        spy->window = window_.get();
        window_->show();
        notifier_.fresh();

        extract(Estate01);
        QCOMPARE(spy->extractions.size(), size_t(1));
        QVERIFY(spy->extractions[0].busyShown);
        QVERIFY(spy->extractions[0].waitCursor);
        QCOMPARE(spy->extractions[0].busyCaption, QString("正在提取收费项目，请稍等......"));
        QCOMPARE(spy->extractions[0].request.fromKey, std::string("20250101"));

        panel()->endPicker()->setDate({2025, 6, 30});
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(spy->runs.size(), size_t(1));
        const auto& run = spy->runs[0];
        QVERIFY(run.busyShown);
        QVERIFY(run.waitCursor);
        QCOMPARE(run.busyCaption, QString("正在进行增值税开票明细统计，请稍等......"));
        QCOMPARE(run.request.department.departmentCode, std::string("01"));
        QCOMPARE(run.request.department.officeCode, std::string("GL01"));
        QCOMPARE(run.request.toKey, std::string("20250630"));
        QCOMPARE(run.request.invoiceTypeList, std::string("'01','02','03','04','05'"));
        QVERIFY(!window_->busyPanel()->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        // The shown rows are labelled with the period the run read, whatever the pickers say later.
        panel()->endPicker()->setDate({2025, 3, 31});
        QVERIFY(window_->resultSelection());
        QCOMPARE(window_->resultEnd(), QDate(2025, 6, 30));
        QCOMPARE(window_->resultDepartmentText(), window_->capturedDepartment()->displayText());
    }

    void aRunThatFindsNothingSaysSoAndEmptiesTheGrid() {
        window_ = open("vat-invoicing");
        auto& messages = notifier_.fresh();
        extract(Estate01);
        setPeriod({2030, 1, 1}, {2030, 1, 31});  // the run reads the pickers again
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), QStringList{"无满足统计条件的数据，请重新设置统计条件！"});
        QCOMPARE(pageLabel(), QString("第 00 页 共 00 页"));
        QCOMPARE(window_->resultGrid()->dataRowCount(), 0);
        QVERIFY(!panel()->startButton()->isEnabled());
    }

    void anExtractionThatFindsNothingSaysSoAndKeepsTheStartCommandAsItWas() {
        window_ = open("pre-invoicing");
        auto& messages = notifier_.fresh();
        extract(Estate01);
        QVERIFY(panel()->startButton()->isEnabled());
        messages.clear();
        extract(Estate01, {2030, 1, 1}, {2030, 1, 31});
        QCOMPARE(messages.texts(), QStringList{"没有满足条件的预开票数据,请重新设置条件!"});
        QVERIFY(panel()->startButton()->isEnabled());
        QCOMPARE(panel()->splitGrid()->rowCount(), 0);
        QVERIFY(window_->feeItems().empty());
        panel()->startButton()->click();  // nothing to run
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.messages.size(), size_t(1));
    }

    void anotherExtractionResetsTheSplitAndEnablesTheStartCommandAgain() {
        window_ = open("parking");
        notifier_.fresh();
        extract(CarPark11);
        panel()->splitGrid()->item(0, 2)->setText("55");
        panel()->splitGrid()->item(0, 3)->setText("45");
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY(!panel()->startButton()->isEnabled());
        extract(CarPark11);
        QVERIFY(panel()->startButton()->isEnabled());
        QCOMPARE(panel()->splitGrid()->item(0, 3)->text(), QString("30"));
    }

    void pagingFromTheWindow() {
        window_ = open("vat-invoicing");
        notifier_.fresh();
        extract(Estate01);
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        const auto& paging = window_->pager()->paging();
        QVERIFY(paging.pageCount > 1);
        window_->pageNavigator()->lastButton()->click();
        QCOMPARE(paging.currentPage, paging.pageCount);
        const int lastFirstRow = (paging.pageCount - 1) * paging.pageSize + 1;
        QCOMPARE(window_->resultGrid()->pageModel()->cellText(2, 0), QString::number(lastFirstRow));
        QCOMPARE(pageLabel(), QString::fromStdString(reports::pageLabel(paging.pageCount, paging.pageCount)));
    }

    void exportRunsOnlyOnceTheGridShowsRows() {
        int calls = 0;
        window_ = open("vat-invoicing", [&](ReportWindow& w) {
            ++calls;
            QCOMPARE(&w, window_.get());
        });
        notifier_.fresh();
        window_->exportButton()->click();
        extract(Estate01);
        window_->exportButton()->click();
        QCOMPARE(calls, 0);
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        window_->exportButton()->click();
        QCOMPARE(calls, 1);
    }

    void previewPrintsTheRunsRowsUnderTheWindowsTitle() {
        int calls = 0;
        pdf::PrintTable printed;
        window_ = open("parking", {}, [&](ReportWindow& w) {
            ++calls;
            printed = reportui::detailPrintTableOf(w);
        });
        QCOMPARE(window_->previewButton()->text(), QString("打印预览"));
        window_->previewButton()->click();
        extract(Estate01);
        window_->previewButton()->click();
        QCOMPARE(calls, 0);
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        window_->previewButton()->click();
        QCOMPARE(calls, 1);
        QCOMPARE(printed.rowCount, window_->result()->rowCount());
        QCOMPARE(QString::fromStdString(printed.title), window_->titleText());
        QCOMPARE(printed.headingRow1, window_->resultGrid()->headings().row1);
        // The last row as the grid draws it, the totals row filled as in the sheet.
        const auto last = printed.row(printed.rowCount - 1);
        QCOMPARE(last.cells.back().text, window_->result()->drawRow(printed.rowCount - 1).cells.back().text);
        QVERIFY(last.cells.back().background.has_value());
        QVERIFY(!printed.row(0).cells.back().background.has_value());
    }

    void aTallerWindowHoldsMoreRowsPerPageAtOnce() {
        window_ = open("vat-invoicing");
        window_->resize(1000, 500);
        const int before = window_->pager()->pageSize();
        auto* grid = window_->resultGrid();
        QCOMPARE(before, grid->rowsPerPage());
        window_->resize(1000, 800);
        QVERIFY(window_->pager()->pageSize() > before);
        QCOMPARE(window_->pager()->pageSize(), grid->rowsPerPage());
    }

    void theLayoutFollowsTheWindowSize() {
        window_ = open("vat-invoicing");
        window_->resize(1100, 640);
        QWidget* area = window_->findChild<QWidget*>("ResultArea");
        QWidget* bar = window_->findChild<QWidget*>("BottomBar");
        auto* grid = window_->resultGrid();
        QCOMPARE(area->x() + area->width(), window_->width());
        QCOMPARE(bar->y(), area->y() + area->height());
        QCOMPARE(bar->width(), area->width());
        // "退出" has the same margin at the right as "导出Excel" at the left.
        QCOMPARE(bar->width() - window_->exitButton()->geometry().right() - 1, window_->exportButton()->x());
        QVERIFY(grid->geometry().right() < area->width());
        QVERIFY(grid->geometry().bottom() < area->height());
        // Navigator and title centred over the result area, busy panel over the grid.
        auto* navigator = window_->pageNavigator();
        QVERIFY(qAbs(navigator->x() * 2 + navigator->width() - area->width()) <= 1);
        QLabel* title = window_->titleLabel();
        QVERIFY(qAbs((title->x() - area->x()) * 2 + title->width() - area->width()) <= 1);
        auto* busy = window_->busyPanel();
        QVERIFY(qAbs((busy->x() - grid->x()) * 2 + busy->width() - grid->width()) <= 1);
        // The department list reaches the status bar.
        QListWidget* list = panel()->departmentList();
        QCOMPARE(list->mapTo(window_.get(), QPoint(0, list->height())).y(), window_->reportStatusBar()->y());
    }

    void minimisingAndRestoringKeepsEveryControlInPlace() {
        window_ = open("parking");
        auto& messages = notifier_.fresh();
        window_->resize(1000, 600);
        const QRect grid = window_->resultGrid()->geometry();
        const QRect exit = window_->exitButton()->geometry();
        window_->resize(10, 10);  // what a minimised frame leaves the window
        window_->showMinimized();
        window_->showNormal();
        window_->resize(1000, 600);
        QCOMPARE(window_->resultGrid()->geometry(), grid);
        QCOMPARE(window_->exitButton()->geometry(), exit);
        QVERIFY(messages.messages.empty());
    }

    // A window over a spy on the real engine of `kind`, extracted for Estate01.
    ObservedReport* openObservedAndExtract(const QString& kind) {
        auto observed = std::make_unique<ObservedReport>(reports::makeDetailReport(kind.toStdString()));
        ObservedReport* spy = observed.get();
        window_ = std::make_unique<ReportWindow>(std::move(observed), services());
        spy->window = window_.get();
        window_->show();
        extract(Estate01);
        return spy;
    }
    bool headingsHave(const std::string& text) const {
        const auto& row1 = window_->resultGrid()->headings().row1;
        return std::find(row1.begin(), row1.end(), text) != row1.end();
    }

    void aPercentageStillInTheEditorIsWhatTheRunUses_data() { extractionEnablesTheStartCommand_data(); }
    void aPercentageStillInTheEditorIsWhatTheRunUses() {
        QFETCH(QString, kind);
        ObservedReport* spy = openObservedAndExtract(kind);
        auto& messages = notifier_.fresh();
        auto* grid = panel()->splitGrid();
        grid->item(0, 2)->setText("75");
        grid->setCurrentCell(0, 3);
        QVERIFY(!grid->ratioEditBox()->isHidden());
        grid->ratioEditBox()->setText("25");  // typed, and 开始统计 clicked without Enter
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QCOMPARE(spy->runs.size(), size_t(1));
        QCOMPARE(spy->runs[0].splits[0].propertyText, std::string("25"));
        QCOMPARE(grid->item(0, 3)->text(), QString("25"));
        QVERIFY(grid->ratioEditBox()->isHidden());
        // Every report, VAT invoicing included, heads the amounts with the split they used.
        QVERIFY(headingsHave("开发商75%"));
        QVERIFY(headingsHave("物业25%"));
        QVERIFY(window_->result() && window_->result()->rowCount() > 0);
    }

    void aPairNotAt100InTheEditorRefusesTheRunUntilCorrected() {
        ObservedReport* spy = openObservedAndExtract("parking");
        auto& messages = notifier_.fresh();
        auto* grid = panel()->splitGrid();
        grid->setCurrentCell(0, 3);
        grid->ratioEditBox()->setText("25");  // beside 70
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.texts(), QStringList{"分成比例总和必须等于100,请重新设置分成比例!"});
        QVERIFY(spy->runs.empty());
        QVERIFY(panel()->startButton()->isEnabled());
        QCOMPARE(grid->currentColumn(), 2);
        QVERIFY(!grid->ratioEditBox()->isHidden());
        QCOMPARE(grid->item(0, 3)->text(), QString("25"));  // kept, as after Enter

        messages.clear();
        grid->ratioEditBox()->setText("75");
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QCOMPARE(spy->runs.size(), size_t(1));
        QCOMPARE(spy->runs[0].splits[0].developerText, std::string("75"));
        QVERIFY(!panel()->startButton()->isEnabled());
    }

    void aPercentageThatIsNoNumberIsRefusedAndCanBeCorrected_data() { extractionEnablesTheStartCommand_data(); }
    void aPercentageThatIsNoNumberIsRefusedAndCanBeCorrected() {
        QFETCH(QString, kind);
        ObservedReport* spy = openObservedAndExtract(kind);
        auto& messages = notifier_.fresh();
        auto* grid = panel()->splitGrid();
        const auto headingsBefore = window_->resultGrid()->headings().row1;
        grid->item(0, 2)->setText("100");
        grid->item(0, 3)->setText("abc");  // adds up to 100 by the editor's count
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(messages.messages.size(), size_t(1));
        QVERIFY2(messages.texts()[0].contains("\"abc\""), qPrintable(messages.texts()[0]));
        QVERIFY(spy->runs.empty());
        QVERIFY(panel()->startButton()->isEnabled());
        QCOMPARE(window_->resultGrid()->headings().row1, headingsBefore);

        messages.clear();
        QVERIFY(!grid->ratioEditBox()->isHidden());  // on the row refused
        grid->ratioEditBox()->setText("70");
        grid->item(0, 3)->setText("30%");
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QCOMPARE(spy->runs.size(), size_t(1));
        QCOMPARE(grid->item(0, 3)->text(), QString("30"));
        QVERIFY(headingsHave("物业30%"));
        QVERIFY(!headingsHave("物业30%%"));
    }

    void anotherDepartmentAfterAnExtractionClearsIt() {
        ObservedReport* spy = openObservedAndExtract("vat-invoicing");
        auto& messages = notifier_.fresh();
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY(window_->result() && window_->result()->rowCount() > 0);
        extract(Estate01);  // the same department again keeps the extraction
        QVERIFY(panel()->startButton()->isEnabled());
        selectDepartment(Estate01);
        QVERIFY(panel()->startButton()->isEnabled());

        selectDepartment(CarPark11);
        QCOMPARE(window_->titleText(), QString("【滨江停车场管理处】增值税开票明细表"));
        QVERIFY(!panel()->startButton()->isEnabled());
        QVERIFY(!window_->capturedDepartment());
        QVERIFY(window_->feeItems().empty());
        QCOMPARE(panel()->splitGrid()->rowCount(), 0);
        QVERIFY(!window_->result());
        QVERIFY(!window_->resultSelection());
        QCOMPARE(window_->resultGrid()->dataRowCount(), 0);
        QCOMPARE(window_->resultGrid()->model()->columnCount(), window_->report().initialHeadings().columnCount());
        QCOMPARE(pageLabel(), QString("第 00 页 共 00 页"));
        window_->startStatistics();  // even when called directly: nothing to run
        QCOMPARE(spy->runs.size(), size_t(1));

        extract(CarPark11);
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QCOMPARE(spy->runs.back().request.department.departmentCode, window_->capturedDepartment()->departmentCode);
        QCOMPARE(window_->resultDepartmentText(), window_->selectedDepartment()->displayText());
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
    }

    // Every row of a page is in view whole, under both heading rows and above the
    // horizontal scroll bar, and one more row would not be.
    void aPageHoldsExactlyTheRowsInView_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("size");
        QTest::newRow("VAT invoicing, default size") << "vat-invoicing" << QSize();
        QTest::newRow("VAT invoicing, wide") << "vat-invoicing" << QSize(3000, 700);
        QTest::newRow("parking, small") << "parking" << QSize(900, 420);
    }
    void aPageHoldsExactlyTheRowsInView() {
        QFETCH(QString, kind);
        QFETCH(QSize, size);
        window_ = open(kind.toUtf8().constData());
        if (size.isValid()) window_->resize(size);
        notifier_.fresh();
        extract(Estate01);
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        auto* grid = window_->resultGrid();
        QCoreApplication::processEvents();
        const int rows = grid->dataRowCount();
        QVERIFY(window_->result()->rowCount() > rows);  // a full first page
        QCOMPARE(rows, window_->pager()->pageSize());
        // Counted in rows of the normal height (a row made tall for a long payer counts as one).
        const int rowHeight = grid->verticalHeader()->defaultSectionSize();
        const int bottom = grid->frozenHeight() + rows * rowHeight;
        const int view = grid->viewport()->height();
        QVERIFY2(bottom <= view, qPrintable(QString("%1 > %2").arg(bottom).arg(view)));
        QVERIFY2(bottom + rowHeight > view, "one more row would fit");
        bool tallRows = false;
        for (int r = 0; r < rows; ++r)
            tallRows = tallRows || grid->rowHeight(reportui::ResultPageModel::kHeadingRows + r) != rowHeight;
        if (!tallRows) QCOMPARE(grid->verticalScrollBar()->maximum(), 0);
    }

    void resizingAfterARunSkipsNoRowAndShowsNoEmptyPage() {
        window_ = open("vat-invoicing");
        window_->resize(1000, 420);
        notifier_.fresh();
        extract(Estate01);
        panel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        auto* model = window_->resultGrid()->pageModel();
        const auto& paging = window_->pager()->paging();
        const int total = window_->result()->rowCount();
        window_->pageNavigator()->nextButton()->click();
        const int firstShown = model->cellText(2, 0).toInt();
        QCOMPARE(firstShown, paging.pageSize + 1);

        window_->resize(1000, 800);
        QVERIFY(paging.pageSize > firstShown - 1);
        QCOMPARE(paging.pageCount, reports::pageCountFor(total, paging.pageSize));
        // The row shown first before is on the page shown now.
        const int first = model->cellText(2, 0).toInt();
        const int last = model->cellText(2 + window_->resultGrid()->dataRowCount() - 1, 0).toInt();
        QVERIFY2(first <= firstShown && firstShown <= last, qPrintable(QString("%1..%2").arg(first).arg(last)));
        QCOMPARE(pageLabel(), QString::fromStdString(reports::pageLabel(paging.currentPage, paging.pageCount)));
        // Walking on from here reaches every later row once and ends on a page with rows.
        int expected = last + 1;
        while (paging.currentPage < paging.pageCount) {
            window_->pageNavigator()->nextButton()->click();
            QCOMPARE(model->cellText(2, 0).toInt(), expected);
            expected += window_->resultGrid()->dataRowCount();
        }
        QCOMPARE(expected, total + 1);
        window_->pageNavigator()->lastButton()->click();
        QVERIFY(window_->resultGrid()->dataRowCount() > 0);
    }

    void anUnknownKindMakesNoWindowAndSaysWhy() {
        auto& messages = notifier_.fresh();
        QVERIFY(!reportui::createReportWindow("reconciliation", services(), nullptr));
        QCOMPARE(messages.messages.size(), size_t(1));
    }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
