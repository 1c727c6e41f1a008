// Paging a result through the grid and the navigator: page count and label,
// the four buttons, the page-number box, and what happens without rows.
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "NumberedResult.h"
#include "PageNavigator.h"
#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "ResultPager.h"

using namespace tally;
using tally::reportui::PageNavigator;
using tally::reportui::ResultGrid;
using tally::reportui::ResultPager;

class ResultPagerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host_;
    ResultGrid* grid_ = nullptr;
    PageNavigator* navigator_ = nullptr;
    ResultPager* pager_ = nullptr;

    void run(int rows, int pageSize) {
        pager_->setPageSize(pageSize);
        pager_->startRun();
        pager_->finishRun(std::make_shared<testing::NumberedResult>(rows));
    }
    QString label() const { return navigator_->labelText(); }
    // Row numbers (column 0) of the rows the grid shows.
    QStringList shownNumbers() const {
        QStringList numbers;
        for (int r = 0; r < grid_->dataRowCount(); ++r) numbers << grid_->pageModel()->cellText(2 + r, 0);
        return numbers;
    }
    static QStringList range(int from, int to) {
        QStringList out;
        for (int i = from; i <= to; ++i) out << QString::number(i);
        return out;
    }

private slots:
    void init() {
        host_ = std::make_unique<QWidget>();
        navigator_ = new PageNavigator(host_.get());
        grid_ = new ResultGrid(host_.get());
        grid_->setHeadings(testing::numberedHeadings());
        pager_ = new ResultPager(grid_, navigator_, host_.get());
    }
    void cleanup() { host_.reset(); }

    void buttonsCarryTheirTooltips() {
        QCOMPARE(navigator_->firstButton()->toolTip(), QString("首页"));
        QCOMPARE(navigator_->previousButton()->toolTip(), QString("上一页"));
        QCOMPARE(navigator_->nextButton()->toolTip(), QString("下一页"));
        QCOMPARE(navigator_->lastButton()->toolTip(), QString("尾页"));
        QVERIFY(!navigator_->firstButton()->icon().isNull());
        QCOMPARE(label(), QString("第 00 页 共 00 页"));
    }

    void fortyFiveRowsAtTwentyAPage() {
        run(45, 20);
        QCOMPARE(pager_->paging().pageCount, 3);
        QCOMPARE(label(), QString("第 01 页 共 03 页"));
        QCOMPARE(shownNumbers(), range(1, 20));

        navigator_->lastButton()->click();
        QCOMPARE(label(), QString("第 03 页 共 03 页"));
        QCOMPARE(shownNumbers(), range(41, 45));

        navigator_->nextButton()->click();  // stays on the last page, redrawn
        QCOMPARE(label(), QString("第 03 页 共 03 页"));
        QCOMPARE(shownNumbers(), range(41, 45));

        navigator_->previousButton()->click();
        QCOMPARE(label(), QString("第 02 页 共 03 页"));
        QCOMPARE(shownNumbers(), range(21, 40));

        navigator_->firstButton()->click();
        QCOMPARE(shownNumbers(), range(1, 20));
        navigator_->previousButton()->click();  // stays on page 1
        QCOMPARE(label(), QString("第 01 页 共 03 页"));
        QCOMPARE(shownNumbers(), range(1, 20));
    }

    void pageBox_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expectedPage");
        QTest::addColumn<bool>("boxEmptied");
        // 45 rows at 20 a page: three pages; 70 rows: four pages. Page 1 is shown before.
        QTest::newRow("a page number") << 45 << "2" << 2 << false;
        QTest::newRow("zero") << 45 << "0" << 1 << true;
        QTest::newRow("negative") << 45 << "-1" << 1 << true;
        QTest::newRow("beyond the last page") << 45 << "4" << 1 << true;
        QTest::newRow("not a number") << 45 << "abc" << 1 << true;
        QTest::newRow("a half rounds down to even") << 45 << "2.5" << 2 << false;
        QTest::newRow("a half rounds up to even") << 70 << "3.5" << 4 << false;
        QTest::newRow("a number followed by text") << 45 << "3页" << 3 << false;
        QTest::newRow("below a half page") << 45 << "0.4" << 1 << true;
    }
    void pageBox() {
        QFETCH(int, rows);
        QFETCH(QString, typed);
        QFETCH(int, expectedPage);
        QFETCH(bool, boxEmptied);
        run(rows, 20);
        QLineEdit* box = navigator_->pageBox();
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(pager_->paging().currentPage, expectedPage);
        QCOMPARE(box->text(), boxEmptied ? QString() : typed);
        QCOMPARE(shownNumbers().value(0), QString::number((expectedPage - 1) * 20 + 1));
    }

    void onlyEnterActsInThePageBox() {
        run(45, 20);
        QLineEdit* box = navigator_->pageBox();
        QTest::keyClicks(box, "3");
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(pager_->paging().currentPage, 1);
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(pager_->paging().currentPage, 3);
    }

    void navigationDoesNothingBeforeARun() {
        navigator_->lastButton()->click();
        navigator_->nextButton()->click();
        navigator_->pageBox()->setText("2");
        QTest::keyClick(navigator_->pageBox(), Qt::Key_Return);
        QCOMPARE(label(), QString("第 00 页 共 00 页"));
        QCOMPARE(grid_->dataRowCount(), 0);
        QCOMPARE(navigator_->pageBox()->text(), QString("2"));  // not even emptied
    }

    void aRunThatFindsNothingEmptiesTheGridAndKeepsThePageCount() {
        run(45, 20);
        navigator_->lastButton()->click();
        pager_->startRun();
        QVERIFY(!pager_->finishRun(std::make_shared<testing::NumberedResult>(0)));
        QCOMPARE(label(), QString("第 00 页 共 00 页"));
        QCOMPARE(grid_->dataRowCount(), 0);
        QCOMPARE(pager_->paging().pageCount, 3);
        navigator_->firstButton()->click();
        QCOMPARE(grid_->dataRowCount(), 0);
    }

    // The page count follows a new page size at once, and the page holding the first row
    // shown before is drawn: no row is skipped, no page is empty.
    void aNewPageSizeRepagesAtOnce() {
        run(45, 20);
        navigator_->nextButton()->click();
        QCOMPARE(shownNumbers(), range(21, 40));
        pager_->setPageSize(35);
        QCOMPARE(label(), QString("第 01 页 共 02 页"));
        QCOMPARE(shownNumbers(), range(1, 35));
        navigator_->lastButton()->click();
        QCOMPARE(shownNumbers(), range(36, 45));
        pager_->setPageSize(7);  // the first row shown, 36, is on page 6 of 7
        QCOMPARE(label(), QString("第 06 页 共 07 页"));
        QCOMPARE(shownNumbers(), range(36, 42));
        pager_->setPageSize(0);
        QCOMPARE(pager_->pageSize(), 1);
        QCOMPARE(label(), QString("第 36 页 共 45 页"));
        QCOMPARE(shownNumbers(), range(36, 36));
    }

    void aNewPageSizeBeforeAnyRowOnlyWaits() {
        pager_->setPageSize(12);
        QCOMPARE(pager_->pageSize(), 12);
        QCOMPARE(label(), QString("第 00 页 共 00 页"));
        QCOMPARE(grid_->dataRowCount(), 0);
    }
};

QTEST_MAIN(ResultPagerTest)
#include "ResultPagerTest.moc"
