// 查看明细 on a demo database: the reconciliation table's amount cells opened by a
// double-click, Enter and the context menu, each list's total equal to its cell; cells
// without lines offering nothing; the explainer dropped with the table; a detail report's
// row on a later page listing that row's invoice; the list paging; its export read back
// with openpyxl, and no file left by a failed one.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>

#include "BusyPanel.h"
#include "DemoConnection.h"
#include "DrillDown.h"
#include "ExplainWindow.h"
#include "ExplanationExportCommand.h"
#include "Money.h"
#include "PageNavigator.h"
#include "ReconciliationHeadings.h"
#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "ResultPager.h"
#include "SheetReadBack.h"
#include "SlowConnection.h"
#include "VatInvoicingReport.h"
#include "support/ReportWindowDriving.h"

using namespace tally;
using reportui::ExplainWindow;
using reportui::GridDrillDown;
namespace rec = tally::reports::reconciliation;

namespace {

constexpr int kEstate01 = 0;
// The list's columns after the grid's 序 column.
constexpr int kNumberColumn = 1;  // 票据编号

QString sheetColumn(int zeroBased) { return QString(QChar('A' + zeroBased)); }

// The demo database, its statements failing once `failing` is set.
class FailingConnection : public data::Connection {
public:
    explicit FailingConnection(const std::string& path) : inner_(std::make_unique<data::SqliteConnection>(path)) {}
    std::string engineName() const override { return inner_->engineName(); }
    std::atomic<bool> failing{false};

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view sql, int timeoutSeconds) override {
        if (failing.load()) throw data::DbError(-2147217900, "语法错误");
        return inner_->open(sql, timeoutSeconds);
    }

private:
    std::unique_ptr<data::Connection> inner_;
};

}  // namespace

class ExplainWindowTest : public QObject, private testing::DemoWindowTestServices {
    Q_OBJECT

private:
    std::unique_ptr<reportui::ReconciliationWindow> reconciliation_;
    std::unique_ptr<reportui::ReportWindow> detail_;

    template <class Window>
    std::unique_ptr<Window> shown(Window* window) {
        std::unique_ptr<Window> owned(window);
        owned->show();
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(owned.get());
        return owned;
    }
    static GridDrillDown* drillDownOf(QWidget& window) { return window.findChild<GridDrillDown*>(); }

    void runReconciliation() {
        reconciliation_ = shown(reportui::createReconciliationWindow(services(), nullptr));
        testing::runReconciliation(*reconciliation_, kEstate01, "2025", "01", "03");
        QVERIFY(reconciliation_->table().rowCount() > rec::ReconciliationTable::kHeadingRows);
    }
    const rec::ReconciliationTable& table() const { return reconciliation_->table(); }
    // The first table row (from `from`) for which `wanted` holds; -1 when none.
    template <class Wanted>
    int findRow(Wanted wanted, int from = rec::ReconciliationTable::kHeadingRows) const {
        for (int r = from; r < table().rowCount(); ++r)
            if (wanted(r)) return r;
        return -1;
    }
    rec::ReconciliationColumns columns() const {
        return rec::ReconciliationColumns{static_cast<int>(reconciliation_->feeItems().size())};
    }

    // A cell of the window's grid, scrolled into view, and where it is on the view that shows it.
    QModelIndex cell(reportui::ReportWindowFrame& window, int row, int column) {
        auto* grid = window.resultGrid();
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        return index;
    }
    static QAbstractItemView* viewShowing(reportui::ResultGrid* grid, const QModelIndex& index) {
        return index.column() < grid->frozenColumns() ? grid->frozenColumnView() : grid;
    }
    void doubleClick(reportui::ReportWindowFrame& window, const QModelIndex& index) {
        QAbstractItemView* view = viewShowing(window.resultGrid(), index);
        // What a double-click delivers: press, release, double-click, release.
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    }
    void pressEnter(reportui::ReportWindowFrame& window, const QModelIndex& index) {
        auto* grid = window.resultGrid();
        grid->setFocus();
        grid->setCurrentIndex(index);
        QTest::keyClick(grid, Qt::Key_Return);
    }
    // Asks for the context menu on the cell; returns the drill-down's menu, now shown.
    QMenu* contextMenuOn(reportui::ReportWindowFrame& window, const QModelIndex& index) {
        QAbstractItemView* view = viewShowing(window.resultGrid(), index);
        const QPoint at = view->visualRect(index).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        return drillDownOf(window)->contextMenu();
    }

    // The list opened by `act`, after its lines were read; null when none opened.
    template <class Act>
    ExplainWindow* listOpenedBy(reportui::ReportWindowFrame& window, Act act) {
        ExplainWindow* opened = nullptr;
        QMetaObject::Connection noting =
            connect(drillDownOf(window), &GridDrillDown::listOpened, this, [&](ExplainWindow* list) { opened = list; });
        act();
        const bool idle = testing::idle(window);
        disconnect(noting);
        return idle ? opened : nullptr;
    }
    // The total row's text under 计入金额, as the list's last page shows it.
    static QString shownTotal(ExplainWindow& list) {
        list.pageNavigator()->lastButton()->click();
        auto* model = list.resultGrid()->pageModel();
        const int last = reportui::ResultPageModel::kHeadingRows + model->pageRowCount() - 1;
        if (model->cellText(last, kNumberColumn) != QString("合计")) return "no total row";
        return model->cellText(last, list.list().totalColumn + 1);
    }
    void checkTotalIsCell(ExplainWindow* list, int row, int column) {
        QVERIFY(list);
        const QString cellText = QString::fromStdString(table().text(row, column));
        QCOMPARE(list->objectName(), QString("frm查看明细"));
        QVERIFY2(list->windowTitle().startsWith("查看明细 ") && list->windowTitle().endsWith(" " + cellText),
                 qPrintable(list->windowTitle()));
        QCOMPARE(reports::formatCents(list->list().total), cellText.toStdString());
        QCOMPARE(shownTotal(*list), cellText);
        QVERIFY(!list->list().lines.empty());
    }

private slots:
    void initTestCase() { demo_ = std::make_unique<testing::DemoConnection>(); }
    void cleanup() {
        reconciliation_.reset();
        detail_.reset();
    }
    void cleanupTestCase() { demo_.reset(); }

    void amountCellsOpenListsTotallingTheCell() {
        runReconciliation();
        auto& messages = notifier_.fresh();
        const auto col = columns();
        constexpr int kOrdinaryNet = rec::ReconciliationColumns::kOrdinaryNet;
        const int rateRow = findRow(
            [&](int r) { return table().text(r, 2) != rec::kSubtotalMark && table().value(r, kOrdinaryNet) != 0; });
        const int subtotalRow = findRow([&](int r) {
            return table().text(r, 2) == rec::kSubtotalMark && table().value(r, col.handOverTotal()) != 0;
        });
        const int totalRow = findRow([&](int r) { return table().text(r, 1) == rec::kTotalMark; });
        QVERIFY(rateRow > 0 && subtotalRow > 0 && totalRow > 0);

        // 普通发票 金额 of a rate row: a double-click.
        ExplainWindow* first = listOpenedBy(
            *reconciliation_, [&] { doubleClick(*reconciliation_, cell(*reconciliation_, rateRow, kOrdinaryNet)); });
        checkTotalIsCell(first, rateRow, kOrdinaryNet);
        if (QTest::currentTestFailed()) return;
        // A month's hand-over 小计: Enter.
        const int handOver = col.handOverTotal();
        ExplainWindow* second = listOpenedBy(
            *reconciliation_, [&] { pressEnter(*reconciliation_, cell(*reconciliation_, subtotalRow, handOver)); });
        checkTotalIsCell(second, subtotalRow, handOver);
        if (QTest::currentTestFailed()) return;
        QVERIFY(second != first);
        // The grand total's 收据: the context menu.
        ExplainWindow* third = listOpenedBy(*reconciliation_, [&] {
            QMenu* menu =
                contextMenuOn(*reconciliation_, cell(*reconciliation_, totalRow, rec::ReconciliationColumns::kReceipt));
            QVERIFY(menu->isVisible());
            QVERIFY(drillDownOf(*reconciliation_)->explainAction()->isEnabled());
            drillDownOf(*reconciliation_)->explainAction()->trigger();
            menu->hide();
        });
        checkTotalIsCell(third, totalRow, rec::ReconciliationColumns::kReceipt);
        if (QTest::currentTestFailed()) return;
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        // The lists are windows of their own over the report window.
        QVERIFY(third->isWindow() && third->parent() == reconciliation_.get());
    }

    void cellsWithoutLinesOfferNothing() {
        runReconciliation();
        auto& messages = notifier_.fresh();
        const auto col = columns();
        const int rateRow = findRow([&](int r) { return table().text(r, 2) != rec::kSubtotalMark; });
        QVERIFY(rateRow > 0);
        // 税率 (a frozen column), 差额, 备注 and a heading cell.
        for (int column : {rec::ReconciliationColumns::kRate, col.difference(), col.remark()}) {
            const QModelIndex index = cell(*reconciliation_, rateRow, column);
            QVERIFY(!listOpenedBy(*reconciliation_, [&] { doubleClick(*reconciliation_, index); }));
            QVERIFY(!listOpenedBy(*reconciliation_, [&] { pressEnter(*reconciliation_, index); }));
            QMenu* menu = contextMenuOn(*reconciliation_, index);
            QVERIFY(menu->isVisible());
            QVERIFY2(!drillDownOf(*reconciliation_)->explainAction()->isEnabled(), qPrintable(QString::number(column)));
            menu->hide();
        }
        QVERIFY(!listOpenedBy(*reconciliation_, [&] { doubleClick(*reconciliation_, cell(*reconciliation_, 1, 3)); }));
        QVERIFY(messages.messages.empty());
        QVERIFY(reconciliation_->findChildren<ExplainWindow*>().isEmpty());
    }

    void noTableNoListAndTheExplainerGoesWithTheTable() {
        reconciliation_ = shown(reportui::createReconciliationWindow(services(), nullptr));
        auto* drill = drillDownOf(*reconciliation_);
        QVERIFY(drill);
        // The opened window's empty table: nothing to explain, not even its headings.
        QVERIFY(!drill->explainable(reconciliation_->resultGrid()->model()->index(1, 3)));
        QVERIFY(!drill->holdsExplainer());

        testing::runReconciliation(*reconciliation_, kEstate01, "2025", "01", "03");
        const int rateRow = findRow([&](int r) { return table().value(r, rec::ReconciliationColumns::kReceipt) != 0; });
        QVERIFY(rateRow > 0);
        QVERIFY(listOpenedBy(*reconciliation_, [&] {
            doubleClick(*reconciliation_, cell(*reconciliation_, rateRow, rec::ReconciliationColumns::kReceipt));
        }));
        QVERIFY(drill->holdsExplainer());
        // Another department takes the table away, and the explainer with it.
        reconciliation_->departmentList()->setCurrentRow(kEstate01 + 1);
        QVERIFY(!drill->holdsExplainer());
        QCOMPARE(reconciliation_->resultGrid()->model()->rowCount(), rec::ReconciliationTable::kHeadingRows);
        QVERIFY(!drill->explainable(reconciliation_->resultGrid()->model()->index(1, 3)));
    }

    // The lines are read off the window's thread: the window answers meanwhile, and 取消
    // stops the reading without a list or a message; the cell opens its list afterwards.
    void readingRunsBehindTheBusyPanelAndCancels() {
        testing::SlowConnection slow(demo_->path());
        reportui::WindowServices onSlow{&slow, &notifier_, {}, {}, {}, {}};
        reconciliation_ = shown(reportui::createReconciliationWindow(onSlow, nullptr));
        auto closeFirst = qScopeGuard([this] { reconciliation_.reset(); });  // before the connection it reads
        testing::runReconciliation(*reconciliation_, kEstate01, "2025", "01", "03");
        constexpr int kReceipt = rec::ReconciliationColumns::kReceipt;
        const int row = findRow([&](int r) { return table().value(r, kReceipt) != 0; });
        QVERIFY(row > 0);
        auto& messages = notifier_.fresh();

        slow.armed = true;
        QSignalSpy opened(drillDownOf(*reconciliation_), &GridDrillDown::listOpened);
        doubleClick(*reconciliation_, cell(*reconciliation_, row, kReceipt));
        QVERIFY(QTest::qWaitFor([&] { return slow.slowStarted.load() > 0; }, 60000));
        QVERIFY(reconciliation_->busy());
        QVERIFY(reconciliation_->busyPanel()->isVisible());
        QCOMPARE(reconciliation_->busyPanel()->caption(), QString("正在读取明细，请稍等......"));
        // A second request while the first reads starts nothing.
        QVERIFY(!drillDownOf(*reconciliation_)->request(cell(*reconciliation_, row, kReceipt)));
        QTest::mouseClick(reconciliation_->busyPanel()->cancelButton(), Qt::LeftButton);
        QVERIFY(testing::idle(*reconciliation_));
        slow.armed = false;
        QCOMPARE(opened.count(), 0);
        QVERIFY(messages.messages.empty());

        ExplainWindow* list = listOpenedBy(
            *reconciliation_, [&] { doubleClick(*reconciliation_, cell(*reconciliation_, row, kReceipt)); });
        checkTotalIsCell(list, row, kReceipt);
    }

    void aFailedReadingIsToldAndOpensNothing() {
        FailingConnection failing(demo_->path());
        reportui::WindowServices onFailing{&failing, &notifier_, {}, {}, {}, {}};
        detail_ = shown(reportui::createReportWindow("pre-invoicing", onFailing, nullptr));
        auto closeFirst = qScopeGuard([this] { detail_.reset(); });  // before the connection it reads
        testing::runReport(*detail_, kEstate01, {2025, 1, 1}, {2025, 12, 31});
        QVERIFY(detail_->result() && detail_->result()->rowCount() > 0);
        auto& messages = notifier_.fresh();
        failing.failing = true;
        QVERIFY(!listOpenedBy(*detail_, [&] { doubleClick(*detail_, cell(*detail_, 2, 0)); }));
        QCOMPARE(messages.messages.size(), std::size_t(1));
        QVERIFY2(messages.texts().front().contains("语法错误"), qPrintable(messages.texts().front()));
        QCOMPARE(QString::fromStdString(messages.messages.front().title), QString("系统提示"));
    }

    // ---- detail reports

    void rowOnALaterPageListsThatRowsInvoice() {
        detail_ = shown(reportui::createReportWindow("vat-invoicing", services(), nullptr));
        testing::runReport(*detail_, kEstate01, {2025, 1, 1}, {2025, 12, 31});
        const auto* result = dynamic_cast<const reports::vat::VatInvoicingResult*>(detail_->result().get());
        QVERIFY(result);
        auto* pager = detail_->pager();
        QVERIFY(pager->paging().pageCount > 1);
        detail_->pageNavigator()->nextButton()->click();
        QCOMPARE(pager->paging().currentPage, 2);
        // Row k of the page is result row pageSize + k; take one not first on the page.
        const int pageSize = pager->paging().pageSize;
        int onPage = std::min(2, detail_->resultGrid()->dataRowCount() - 1);
        while (onPage < detail_->resultGrid()->dataRowCount() &&
               result->rows()[pageSize + onPage].kind != reports::vat::RowKind::Invoice)
            ++onPage;
        const int row = pageSize + onPage;
        const auto& invoiceRow = result->rows().at(row);
        QVERIFY(!invoiceRow.invoiceNumber.empty());
        const int modelRow = reportui::ResultPageModel::kHeadingRows + onPage;
        QCOMPARE(detail_->resultGrid()->pageModel()->cellText(modelRow, 0), QString::number(row + 1));

        auto& messages = notifier_.fresh();
        const int lastColumn = detail_->resultGrid()->model()->columnCount() - 1;
        // On the row number: a cell of the frozen columns, which a view of their own shows.
        QVERIFY(detail_->resultGrid()->frozenColumns() > 0);
        ExplainWindow* list = listOpenedBy(*detail_, [&] { doubleClick(*detail_, cell(*detail_, modelRow, 0)); });
        QVERIFY(list);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        const QString number = QString::fromStdString(invoiceRow.invoiceNumber);
        QVERIFY2(list->windowTitle().contains("第" + QString::number(row + 1) + "行 " + number),
                 qPrintable(list->windowTitle()));
        QVERIFY(!list->list().lines.empty());
        for (const auto& line : list->list().lines) QCOMPARE(QString::fromStdString(line.front()), number);
        QCOMPARE(list->list().total, invoiceRow.total);

        // Enter on the page's first row opens that row's list, not page 1's first.
        ExplainWindow* firstOnPage = listOpenedBy(*detail_, [&] {
            pressEnter(*detail_, cell(*detail_, reportui::ResultPageModel::kHeadingRows, lastColumn));
        });
        QVERIFY(firstOnPage);
        QVERIFY2(firstOnPage->windowTitle().contains("第" + QString::number(pageSize + 1) + "行"),
                 qPrintable(firstOnPage->windowTitle()));
        // A heading row offers nothing.
        QMenu* menu = contextMenuOn(*detail_, cell(*detail_, 0, lastColumn));
        QVERIFY(!drillDownOf(*detail_)->explainAction()->isEnabled());
        menu->hide();
    }

    void totalRowsListPagesAndExport() {
        detail_ = shown(reportui::createReportWindow("vat-invoicing", services(), nullptr));
        testing::runReport(*detail_, kEstate01, {2025, 1, 1}, {2025, 12, 31});
        const auto* result = dynamic_cast<const reports::vat::VatInvoicingResult*>(detail_->result().get());
        QVERIFY(result);
        const auto& rows = result->rows();
        const auto total = std::find_if(rows.begin(), rows.end(),
                                        [](const auto& r) { return r.kind == reports::vat::RowKind::GrandTotal; });
        QVERIFY(total != rows.end());
        const int row = static_cast<int>(total - rows.begin());
        detail_->pageNavigator()->pageBox()->setText(QString::number(row / detail_->pager()->paging().pageSize + 1));
        QTest::keyClick(detail_->pageNavigator()->pageBox(), Qt::Key_Return);
        const int modelRow = reportui::ResultPageModel::kHeadingRows + row % detail_->pager()->paging().pageSize;
        QCOMPARE(detail_->resultGrid()->pageModel()->cellText(modelRow, 0), QString::number(row + 1));

        ExplainWindow* list = listOpenedBy(*detail_, [&] {
            QMenu* menu = contextMenuOn(*detail_, cell(*detail_, modelRow, 3));
            drillDownOf(*detail_)->explainAction()->trigger();
            menu->hide();
        });
        QVERIFY(list);
        QCOMPARE(list->list().total, total->total);
        QCOMPARE(shownTotal(*list), QString::fromStdString(reports::formatCents(total->total)));

        // The list pages like the report: every line once, the total row last.
        QAbstractItemModelTester tester(list->resultGrid()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto& paging = list->pager()->paging();
        const int lines = static_cast<int>(list->list().lines.size());
        QVERIFY2(paging.pageCount > 1, qPrintable(QString::number(lines)));
        list->pageNavigator()->firstButton()->click();
        int seen = 0;
        for (int page = 1; page <= paging.pageCount; ++page) {
            auto* model = list->resultGrid()->pageModel();
            for (int i = 0; i < model->pageRowCount(); ++i, ++seen)
                if (seen < lines) QCOMPARE(model->cellText(2 + i, 0), QString::number(seen + 1));
            list->pageNavigator()->nextButton()->click();
        }
        QCOMPARE(seen, lines + 1);

        // 导出Excel: every line and the total, read back.
        QTemporaryDir folder;
        const QString file = folder.filePath("明细.xlsx");
        QString proposed;
        exports::ExportEnvironment environment;
        environment.chooseFile = [&](QWidget*, const QString& name, const QString&) {
            proposed = name;
            return std::optional<QString>(file);
        };
        environment.findConverter = [] { return std::nullopt; };
        auto& messages = notifier_.fresh();
        exports::ExportExplanation(*list, environment);
        QVERIFY(testing::idle(*list));
        QCOMPARE(messages.texts(), QStringList{"明细导出成功！"});
        QVERIFY2(!proposed.contains('/'), qPrintable(proposed));
        QVERIFY(proposed.startsWith("查看明细 "));
        const int totalColumn = list->list().totalColumn;
        const int lastRow = 2 + lines + 1;
        QVERIFY(QFile::exists(file));
        if (testing::kLinuxToolsRun) {  // read back by openpyxl
            const QStringList values = testing::sheetValues(
                file, {"A1", "A2", "A3", sheetColumn(totalColumn) + "2", "A" + QString::number(lastRow),
                       sheetColumn(totalColumn) + QString::number(lastRow)});
            QCOMPARE(values.size(), 7);
            QCOMPARE(values[0], QString::number(lastRow));
            QCOMPARE(values[1], list->titleText());
            QCOMPARE(values[2], QString("票据编号"));
            QCOMPARE(values[3], QString::fromStdString(list->list().lines.front().front()));
            QCOMPARE(values[4], QString("计入金额"));
            QCOMPARE(values[5], QString("合计"));
            QCOMPARE(reports::parseCents(values[6].toStdString()), total->total);
        }

        // A failed export says so and leaves nothing: the name is taken by a folder.
        const QString blocked = folder.filePath("占用.xlsx");
        QVERIFY(QDir(folder.path()).mkdir("占用.xlsx"));
        environment.chooseFile = [&](QWidget*, const QString&, const QString&) {
            return std::optional<QString>(blocked);
        };
        notifier_.fresh(MessageAnswer::Yes);
        exports::ExportExplanation(*list, environment);
        QVERIFY(testing::idle(*list));
        QCOMPARE(notifier_.messages.size(), std::size_t(2));  // replace?, then the failure
        QVERIFY(notifier_.texts().back() != QString("明细导出成功！"));
        QVERIFY(std::filesystem::is_directory(testing::utf8Path(blocked.toStdString())));
        const QStringList left = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QCOMPARE(QSet<QString>(left.begin(), left.end()), (QSet<QString>{"明细.xlsx", "占用.xlsx"}));
    }
};

QTEST_MAIN(ExplainWindowTest)
#include "ExplainWindowTest.moc"
