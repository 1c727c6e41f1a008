// Finding rows in the report windows with Ctrl+F, Enter and F3: the match's page is drawn
// and its row selected, F3 goes on and round, a miss is told once; the reconciliation's
// table is searched the same way.
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>

#include "DemoConnection.h"
#include "GridFind.h"
#include "Money.h"
#include "PageNavigator.h"
#include "Paging.h"
#include "ReconciliationWindow.h"
#include "ReportCatalog.h"
#include "ReportWindow.h"
#include "ReportWindowFactory.h"
#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "ResultPager.h"
#include "SelectionPanel.h"
#include "support/ReportWindowDriving.h"

using namespace tally;
using tally::reportui::ReportWindow;

namespace {

constexpr int kHeadingRows = reportui::ResultPageModel::kHeadingRows;

// A result whose rows the test knows: an invoice number, a payer and an amount per row.
// Two rows are marked: a payer "Acme 星河物业" with "1,234.50" on `first`, and "1234.50"
// on `second`; every other amount is 100.00.
class ListedResult : public reports::ReportResult {
public:
    ListedResult(int rows, int columns, int first, int second)
        : rows_(rows), columns_(columns), first_(first), second_(second) {}
    int rowCount() const override { return rows_; }
    int columnCount() const override { return columns_; }
    reports::DrawnRow drawRow(int index) const override {
        reports::DrawnRow row;
        row.cells.resize(columns_);
        row.cells[0].text = std::to_string(index + 1);
        row.cells[1].text = QString("FP%1").arg(100000 + index).toStdString();
        row.cells[2].text = index == first_ ? "Acme 星河物业" : "住户" + std::to_string(index + 1);
        row.cells[3].text = index == first_ ? "1,234.50" : index == second_ ? "1234.50" : "100.00";
        return row;
    }

private:
    int rows_, columns_, first_, second_;
};

// The VAT invoicing report on the demo database, whose run returns a ListedResult of six
// pages with the marked rows on pages 3 and 5, for the page size the test sets.
class ListedReport : public reports::DetailReport {
public:
    ListedReport() : inner_(reports::makeDetailReport("vat-invoicing")) {}
    std::atomic<int> pageSize{1};

    int firstMarked() const { return 2 * pageSize + 3; }
    int secondMarked() const { return 4 * pageSize + 1; }

    const reports::ReportTexts& texts() const override { return inner_->texts(); }
    reports::HeadingLayout initialHeadings() const override { return inner_->initialHeadings(); }
    reports::HeadingLayout layoutHeadings(const reports::FeeItemList& items,
                                          const reports::SplitRatioRows& splits) const override {
        return inner_->layoutHeadings(items, splits);
    }
    bool layoutHeadingsBeforeRun() const override { return inner_->layoutHeadingsBeforeRun(); }
    reports::Extraction extractFeeItems(data::Connection& c, const reports::ReportRequest& r) const override {
        return inner_->extractFeeItems(c, r);
    }
    reports::Outcome<std::shared_ptr<const reports::ReportResult>> run(
        data::Connection&, const reports::ReportRequest&, const reports::FeeItemList& items,
        const reports::SplitRatioRows& splits) const override {
        const int columns = std::max(4, inner_->layoutHeadings(items, splits).columnCount());
        return std::shared_ptr<const reports::ReportResult>(
            std::make_shared<ListedResult>(6 * pageSize, columns, firstMarked(), secondMarked()));
    }

private:
    std::unique_ptr<reports::DetailReport> inner_;
};

}  // namespace

class GridFindTest : public QObject, private testing::DemoWindowTestServices {
    Q_OBJECT

private:
    std::unique_ptr<ReportWindow> window_;
    ListedReport* report_ = nullptr;
    std::unique_ptr<reportui::ReconciliationWindow> reconciliation_;

    template <class Window>
    void activate(Window& window) {
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    // A detail window showing the listed rows.
    void openListed() {
        auto report = std::make_unique<ListedReport>();
        report_ = report.get();
        window_ = std::make_unique<ReportWindow>(std::move(report), services());
        activate(*window_);
        testing::extractFeeItems(*window_, 0, {2025, 1, 1}, {2025, 12, 31});
        report_->pageSize = window_->pager()->pageSize();
        window_->selectionPanel()->startButton()->click();
        QVERIFY(testing::idle(*window_));
        QVERIFY(window_->result() && window_->result()->rowCount() == 6 * report_->pageSize);
    }

    reportui::GridFind& find() const { return *window_->gridFind(); }
    QLineEdit* box() const { return window_->gridFind()->box(); }

    // What the user does: Ctrl+F, the text, Enter.
    void search(QWidget& window, QLineEdit* findBox, const QString& text) {
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(findBox->isVisible());
        QVERIFY(findBox->hasFocus());
        // Chinese comes in whole from the input method.
        bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii) QTest::keyClicks(findBox, text);
        else findBox->insert(text);
        QTest::keyClick(findBox, Qt::Key_Return);
    }

    // The selected row of the whole result; -1 when the selection is not one whole row.
    int selectedRow() const {
        auto* grid = window_->resultGrid();
        const auto rows = grid->selectionModel()->selectedRows();
        if (rows.size() != 1 || grid->currentIndex().row() != rows[0].row()) return -1;
        const auto& paging = window_->pager()->paging();
        return paging.firstRow(paging.currentPage) + rows[0].row() - kHeadingRows;
    }
    QString shownPage() const { return window_->pageNavigator()->labelText(); }
    QString label(int page) const {
        return QString::fromStdString(reports::pageLabel(page, window_->pager()->paging().pageCount));
    }

private slots:
    void initTestCase() { demo_ = std::make_unique<testing::DemoConnection>(); }
    void cleanupTestCase() { demo_.reset(); }
    void cleanup() {
        window_.reset();
        reconciliation_.reset();
    }

    void aMatchOnAnotherPageIsDrawnAndSelected_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("column");
        QTest::newRow("invoice number") << "fp1%1" << 1;
        QTest::newRow("part of a payer") << "星河" << 2;
        QTest::newRow("amount written otherwise") << "1234.5" << 3;
    }
    void aMatchOnAnotherPageIsDrawnAndSelected() {
        QFETCH(QString, query);
        QFETCH(int, column);
        openListed();
        auto& messages = notifier_.fresh();
        QCOMPARE(shownPage(), label(1));
        const int target = report_->firstMarked();
        search(*window_, box(), query.contains("%1") ? query.arg(target, 5, 10, QChar('0')) : query);

        QCOMPARE(shownPage(), label(3));
        QCOMPARE(selectedRow(), target);
        QCOMPARE(window_->resultGrid()->currentIndex().column(), column);
        QVERIFY(messages.messages.empty());
        QVERIFY2(box()->hasFocus(), "the bar keeps the focus for the next Enter");
    }

    void f3GoesOnAfterTheSelectedRowAndComesRound() {
        openListed();
        auto& messages = notifier_.fresh();
        const int first = report_->firstMarked(), second = report_->secondMarked();
        search(*window_, box(), " 1,234.5 ");
        QCOMPARE(selectedRow(), first);

        window_->resultGrid()->setFocus();
        QTest::keyClick(window_->resultGrid(), Qt::Key_F3);
        QCOMPARE(selectedRow(), second);
        QCOMPARE(shownPage(), label(5));
        QTest::keyClick(window_->resultGrid(), Qt::Key_F3);
        // Past the last match it starts again at the first.
        QCOMPARE(selectedRow(), first);
        QCOMPARE(shownPage(), label(3));

        // Enter again in the bar is the same as F3.
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(selectedRow(), second);

        // The search goes on from the row the user picks, on the page shown.
        window_->pager()->showPage(6);
        QTest::keyClick(window_->resultGrid(), Qt::Key_F3);
        // From the top of page 6 the next match is round on page 3.
        QCOMPARE(selectedRow(), first);
        window_->pager()->showPage(4);
        auto* grid = window_->resultGrid();
        grid->setCurrentIndex(grid->model()->index(kHeadingRows, 2));
        QTest::keyClick(grid, Qt::Key_F3);
        QCOMPARE(selectedRow(), second);
        QVERIFY(messages.messages.empty());
    }

    void noMatchIsToldOnceAndLeavesThePage() {
        openListed();
        window_->pager()->showPage(2);
        auto* grid = window_->resultGrid();
        grid->setCurrentIndex(grid->model()->index(kHeadingRows + 1, 1));
        auto& messages = notifier_.fresh();
        search(*window_, box(), "  不存在的付款人 ");
        QCOMPARE(messages.texts(), QStringList{"未找到“不存在的付款人”"});
        QCOMPARE(QString::fromStdString(messages.messages[0].title), QString("系统提示"));
        QCOMPARE(shownPage(), label(2));
        QCOMPARE(grid->currentIndex().row(), kHeadingRows + 1);
    }

    void theBarOpensClosesAndIgnoresBlanks() {
        openListed();
        auto& messages = notifier_.fresh();
        window_->resultGrid()->setFocus();
        QVERIFY(!find().bar()->isVisible());
        QTest::keyClick(window_->resultGrid(), Qt::Key_F3);
        QVERIFY2(find().bar()->isVisible(), "F3 before any text asks for one");
        QVERIFY(box()->hasFocus());
        QTest::keyClicks(box(), "   ");
        QTest::keyClick(box(), Qt::Key_Return);
        QVERIFY(messages.messages.empty());
        QCOMPARE(shownPage(), label(1));

        QTest::keyClick(box(), Qt::Key_Escape);
        QVERIFY(!find().bar()->isVisible());
        QVERIFY(window_->resultGrid()->hasFocus());

        // Opened again, the last text is selected, to be typed over.
        box()->setText("FP1");
        QTest::keyClick(window_.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(box()->selectedText(), QString("FP1"));
        // The bar sits inside the grid's top right corner.
        const QRect grid = window_->resultGrid()->geometry();
        QVERIFY(grid.contains(find().bar()->geometry()));
        find().bar()->findChild<QToolButton*>("FindClose")->click();
        QVERIFY(!find().bar()->isVisible());
    }

    void theReconciliationTableIsSearchedByAmount() {
        reconciliation_.reset(reportui::createReconciliationWindow(services(), nullptr));
        activate(*reconciliation_);
        testing::runReconciliation(*reconciliation_, 0, "2025", "01", "12");
        auto* grid = reconciliation_->resultGrid();
        auto* model = grid->pageModel();
        QVERIFY(model->pageRowCount() > 3);

        // An amount shown once in the whole table, looked for with grouping and without
        // trailing zeros, a form no cell holds as text: found by its value alone. The last
        // one in the table, so the search has rows to pass.
        auto amountOf = [](const QString& text) -> std::optional<reports::Cents> {
            bool number = false;
            text.toDouble(&number);
            if (!number || !text.contains('.')) return std::nullopt;
            return reports::parseCents(text.toStdString());
        };
        auto grouped = [](reports::Cents cents) {
            QString whole = QString::number(cents / 100);
            for (int at = whole.size() - 3; at > 0; at -= 3) whole.insert(at, ',');
            const auto rest = cents % 100;
            if (rest == 0) return whole;
            if (rest % 10 == 0) return whole + "." + QString::number(rest / 10);
            return whole + "." + QString("%1").arg(rest, 2, 10, QChar('0'));
        };
        std::map<reports::Cents, int> seen;
        for (int r = 0; r < model->pageRowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                if (auto cents = amountOf(model->cellText(kHeadingRows + r, c))) ++seen[*cents];
        int row = -1, column = -1;
        QString query;
        for (int r = model->pageRowCount() - 1; r >= 0 && row < 0; --r)
            for (int c = 0; c < model->columnCount() && row < 0; ++c) {
                auto cents = amountOf(model->cellText(kHeadingRows + r, c));
                if (!cents || *cents < 100000 || seen[*cents] != 1) continue;
                row = r;
                column = c;
                query = grouped(*cents);
            }
        QVERIFY2(row > 0, "the demo table holds an amount from 1,000 shown once");
        for (int r = 0; r < model->pageRowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                QVERIFY2(!model->cellText(kHeadingRows + r, c).contains(query), qPrintable(query));

        auto& messages = notifier_.fresh();
        search(*reconciliation_, reconciliation_->gridFind()->box(), query);
        QVERIFY2(messages.messages.empty(), qPrintable(messages.texts().join("; ")));
        QCOMPARE(grid->currentIndex().row(), kHeadingRows + row);
        QCOMPARE(grid->currentIndex().column(), column);
        QVERIFY(grid->selectionModel()->isRowSelected(kHeadingRows + row));

        QTest::keyClick(grid, Qt::Key_F3);
        // The only match is found again.
        QCOMPARE(grid->currentIndex().row(), kHeadingRows + row);
        QVERIFY(messages.messages.empty());
    }
};

QTEST_MAIN(GridFindTest)
#include "GridFindTest.moc"
