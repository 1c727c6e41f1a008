// The split-ratio grid and its floating edit box: columns, Enter from the
// developer to the property cell, the percentage check, and leaving a cell.
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include <memory>

#include "SplitRatioGrid.h"
#include "support/RecordingNotifier.h"

using namespace tally;
using tally::reportui::SplitRatioGrid;

namespace {

// Fee items as code, cleaned name, tax rate and category.
reports::SplitRatioRows twoParkingRows() {
    const reports::FeeItemSplit monthly{"0301", "停车费月租", 0, "停车费", ""};
    const reports::FeeItemSplit hourly{"0302", "临时停车费", 0, "临时停车", ""};
    const reports::FeeItemSplit other{"0101", "物业费", 0, "物业", ""};
    return reports::defaultSplitRows({monthly, other, hourly});
}

}  // namespace

class SplitRatioGridTest : public QObject {
    Q_OBJECT

    // Every window of the test tells this notifier.
    testing::RecordingNotifier notifier_;

private:
    std::unique_ptr<QWidget> panel_;
    SplitRatioGrid* grid_ = nullptr;
    QLineEdit* box_ = nullptr;

    QString cell(int row, int column) const { return grid_->item(row, column)->text(); }
    void typeAndEnter(const QString& text) {
        QVERIFY(box_->isVisible());
        box_->selectAll();
        QTest::keyClicks(box_, text);
        QTest::keyClick(box_, Qt::Key_Return);
    }
    void clickCell(int row, int column) {
        const QRect rect = grid_->visualRect(grid_->model()->index(row, column));
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, rect.center());
    }

private slots:
    void init() {
        panel_ = std::make_unique<QWidget>();
        panel_->resize(320, 200);
        grid_ = new SplitRatioGrid(notifier_, panel_.get());
        grid_->setGeometry(7, 20, 286, 118);
        grid_->setRows(twoParkingRows());
        box_ = grid_->ratioEditBox();
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
    }
    void cleanup() { panel_.reset(); }

    void rowsOfAnExtraction() {
        QCOMPARE(grid_->columnCount(), 5);
        QCOMPARE(grid_->horizontalHeaderItem(1)->text(), QString("停车费项目"));
        QCOMPARE(grid_->horizontalHeaderItem(3)->text(), QString("物业公司"));
        QCOMPARE(grid_->rowCount(), 2);  // only the parking items
        QCOMPARE(cell(0, 0), QString("1"));
        QCOMPARE(cell(1, 0), QString("2"));
        QCOMPARE(cell(0, 1), QString("停车费月租"));
        QCOMPARE(cell(1, 1), QString("临时停车费"));
        QCOMPARE(cell(0, 2), QString("70"));
        QCOMPARE(cell(0, 3), QString("30"));
        QCOMPARE(cell(1, 4), QString("'0302'"));
        QVERIFY(grid_->isColumnHidden(SplitRatioGrid::CodeColumn));
        QVERIFY(!box_->isVisible());
        QCOMPARE(grid_->objectName(), QString("SplitRatioGrid"));
        QCOMPARE(box_->objectName(), QString("RatioEditBox"));
        QCOMPARE(box_->parentWidget(), panel_.get());
    }

    void theBoxSitsExactlyOverThePercentageCell() {
        grid_->setCurrentCell(1, 2);
        QVERIFY(box_->isVisible());
        const QRect cellRect = grid_->visualRect(grid_->model()->index(1, 2));
        QCOMPARE(box_->geometry(), QRect(grid_->viewport()->mapTo(panel_.get(), cellRect.topLeft()), cellRect.size()));
        QCOMPARE(box_->text(), QString("70"));
        QCOMPARE(box_->selectedText(), QString("70"));
    }

    void enterOnTheDeveloperCellMovesOnWithoutACheck() {
        auto& messages = notifier_.fresh();
        grid_->setCurrentCell(0, 2);
        typeAndEnter("60");
        QCOMPARE(cell(0, 2), QString("60"));
        QCOMPARE(grid_->currentRow(), 0);
        QCOMPARE(grid_->currentColumn(), 3);
        QVERIFY(box_->isVisible());
        QCOMPARE(box_->text(), QString("30"));
        QVERIFY(messages.messages.empty());

        typeAndEnter("40");
        QVERIFY(!box_->isVisible());
        QCOMPARE(cell(0, 3), QString("40"));
        QVERIFY(messages.messages.empty());
        QCOMPARE(grid_->rows()[0].developerText, std::string("60"));
        QCOMPARE(grid_->rows()[0].propertyText, std::string("40"));
    }

    void aPairThatDoesNotAddUpGoesBackToTheDeveloperCell() {
        auto& messages = notifier_.fresh();
        grid_->setCurrentCell(1, 2);
        typeAndEnter("60");
        typeAndEnter("30");
        QCOMPARE(messages.texts(), QStringList{"分成比例总和必须等于100,请重新设置分成比例!"});
        QCOMPARE(QString::fromStdString(messages.messages[0].title), QString("系统提示"));
        QVERIFY(messages.messages[0].icon == MessageIcon::Information);
        QCOMPARE(grid_->currentColumn(), 2);
        QCOMPARE(grid_->currentRow(), 1);
        QVERIFY(box_->isVisible());
        QCOMPARE(cell(1, 2), QString("60"));
        QCOMPARE(cell(1, 3), QString("30"));
    }

    void theLeadingNumberCountsInTheCheck() {
        auto& messages = notifier_.fresh();
        grid_->setCurrentCell(0, 3);
        typeAndEnter("30%");
        QVERIFY(messages.messages.empty());
        QCOMPARE(cell(0, 3), QString("30%"));
    }

    void clickingTheNameColumnHidesTheBox() {
        grid_->setCurrentCell(0, 2);
        QVERIFY(box_->isVisible());
        clickCell(1, 1);
        QVERIFY(!box_->isVisible());
        clickCell(1, 3);
        QVERIFY(box_->isVisible());
        QCOMPARE(box_->text(), QString("30"));
    }

    void leavingTheCellWithoutEnterDiscardsTheText() {
        grid_->setCurrentCell(0, 2);
        box_->selectAll();
        QTest::keyClicks(box_, "55");
        clickCell(1, 2);
        QCOMPARE(cell(0, 2), QString("70"));
        QCOMPARE(box_->text(), QString("70"));  // now over row 2
    }

    void aNewSetOfRowsResetsThePercentages() {
        grid_->setCurrentCell(0, 2);
        typeAndEnter("10");
        typeAndEnter("90");
        grid_->setRows(twoParkingRows());
        QCOMPARE(cell(0, 2), QString("70"));
        QCOMPARE(cell(0, 3), QString("30"));
        QVERIFY(!box_->isVisible());
        grid_->setRows({});
        QCOMPARE(grid_->rowCount(), 0);
        QCOMPARE(grid_->columnCount(), 5);
    }
};

QTEST_MAIN(SplitRatioGridTest)
#include "SplitRatioGridTest.moc"
