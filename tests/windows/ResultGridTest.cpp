// The result grid and its page model: heading merges, widths from twips, frozen
// columns, cell alignment, tall rows for long payer texts, and the model's
// invariants under QAbstractItemModelTester.
#include <QAbstractItemModelTester>
#include <QFontMetrics>
#include <QScrollBar>
#include <QtTest>

#include <memory>

#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "Twips.h"
#include "VatInvoicingHeadings.h"

using namespace tally;
using tally::reportui::ResultGrid;
using tally::reportui::ResultPageModel;

namespace {

// A parking item and another, as code, cleaned name, tax rate and category.
reports::FeeItemList twoItems() {
    return {{"0301", "停车费月租", 0.09, "停车费", ""}, {"0101", "物业费", 0.06, "物业", ""}};
}

reports::DrawnRow invoiceRow(int number, int columns, const std::string& payer) {
    reports::DrawnRow row;
    row.cells.resize(columns);
    row.cells[0] = {std::to_string(number), reports::CellAlign::Centre};
    row.cells[1] = {"2025-03-01", reports::CellAlign::Centre};
    row.cells[6] = {"12.50", reports::CellAlign::Right};
    row.cells[columns - 1] = {payer, reports::CellAlign::Left};
    row.wrapColumn = columns - 1;
    return row;
}

}  // namespace

class ResultGridTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ResultGrid> grid_;
    reports::HeadingLayout headings_ =
        reports::vat::LayoutResultHeadings(twoItems(), reports::defaultSplitRows(twoItems()));

private slots:
    void init() {
        grid_ = std::make_unique<ResultGrid>();
        grid_->resize(500, 300);
        grid_->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
    }
    void cleanup() { grid_.reset(); }

    void modelKeepsItsInvariantsThroughHeadingsAndPages() {
        ResultPageModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setHeadings(reports::vat::LayoutResultHeadings({}, {}));
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 9);
        const int columns = headings_.columnCount();
        model.setHeadings(headings_);
        model.setPageRows({invoiceRow(1, columns, "甲"), invoiceRow(2, columns, "乙")});
        QCOMPARE(model.rowCount(), 4);
        model.setPageRows({invoiceRow(21, columns, "丙")});
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.cellText(2, 0), QString("21"));
        model.clearPageRows();
        QCOMPARE(model.rowCount(), 2);
        model.setPageRows({});
        QCOMPARE(model.rowCount(), 2);
    }

    void headingRowsAreTheFirstTwoModelRows() {
        grid_->setHeadings(headings_);
        const ResultPageModel* model = grid_->pageModel();
        QCOMPARE(model->cellText(0, 2), QString("增值税发票"));
        QCOMPARE(model->cellText(1, 2), QString("专用发票"));
        QCOMPARE(model->cellText(1, 6), QString("开发商70%"));
        QCOMPARE(model->cellText(1, 8), QString("税额9%"));
        QCOMPARE(model->cellText(1, 10), QString("税额6%"));
        QCOMPARE(model->data(model->index(1, 6), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    }

    void headingMergesBecomeSpans() {
        grid_->setHeadings(headings_);
        // "序" one cell two rows high; "增值税发票" over three columns; each item's name over its columns.
        QCOMPARE(grid_->rowSpan(0, 0), 2);
        QCOMPARE(grid_->columnSpan(0, 2), 3);
        QCOMPARE(grid_->rowSpan(0, 2), 1);
        QCOMPARE(grid_->columnSpan(0, 6), 3);
        QCOMPARE(grid_->columnSpan(0, 9), 2);
        QCOMPARE(grid_->rowSpan(0, 11), 2);  // 合计
        // The overlays merge the same cells.
        QCOMPARE(grid_->frozenCornerView()->rowSpan(0, 0), 2);
        QCOMPARE(grid_->frozenRowView()->columnSpan(0, 6), 3);
        // Data rows do not merge.
        grid_->showRows({invoiceRow(1, headings_.columnCount(), "甲"), invoiceRow(2, headings_.columnCount(), "甲")});
        QCOMPARE(grid_->rowSpan(2, 0), 1);
        QCOMPARE(grid_->columnSpan(2, 6), 1);
    }

    void widthsComeFromTwipsAtTheLogicalDpi() {
        grid_->setHeadings(headings_);
        const double dpi = grid_->logicalDpiX();
        for (int c = 0; c < headings_.columnCount(); ++c)
            QCOMPARE(grid_->columnWidth(c), reportui::twipsToPixels(headings_.widthsTwips[c], dpi));
        QCOMPARE(reportui::twipsToPixels(1440, 96), 96);
        QCOMPARE(reportui::twipsToPixels(600, 96), 40);
        QCOMPARE(reportui::pixelsToTwips(80, 96), 1200);
    }

    void theReportsFrozenColumnsStayVisibleWhenScrolledRight() {
        grid_->setHeadings(headings_);
        QCOMPARE(grid_->frozenColumns(), 6);
        QCOMPARE(grid_->frozenRows(), 2);
        grid_->showRows({invoiceRow(1, headings_.columnCount(), "甲")});
        QScrollBar* bar = grid_->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const QModelIndex dateCell = grid_->model()->index(2, 1);
        QVERIFY(grid_->visualRect(dateCell).left() < 0);
        QTableView* frozen = grid_->frozenColumnView();
        QVERIFY(frozen->isVisible());
        QCOMPARE(frozen->visualRect(dateCell).left(), grid_->columnWidth(0));
        QCOMPARE(frozen->width(), grid_->frozenWidth());
        for (int c = 0; c < headings_.columnCount(); ++c) QCOMPARE(frozen->isColumnHidden(c), c >= 6);
    }

    void cellsKeepTheAlignmentTheReportDrew() {
        grid_->setHeadings(headings_);
        const int columns = headings_.columnCount();
        grid_->showRows({invoiceRow(1, columns, "甲")});
        const ResultPageModel* model = grid_->pageModel();
        auto alignment = [&](int column) {
            return model->data(model->index(2, column), Qt::TextAlignmentRole).toInt();
        };
        QCOMPARE(alignment(0) & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
        QCOMPARE(alignment(6) & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
        QCOMPARE(alignment(columns - 1) & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
    }

    void aPayerWiderThanItsColumnMakesTheRowTall() {
        grid_->setHeadings(headings_);
        const int columns = headings_.columnCount();
        const QString longPayer = QString("某某物业管理有限公司第一分公司第三管理处业主委员会").repeated(2);
        QVERIFY(QFontMetrics(grid_->font()).horizontalAdvance(longPayer) > grid_->columnWidth(columns - 1));
        grid_->showRows({invoiceRow(1, columns, "甲"), invoiceRow(2, columns, longPayer.toStdString())});
        const int normal = grid_->rowHeight(2);
        QCOMPARE(grid_->rowHeight(3), reportui::twipsY(ResultGrid::kTallRowTwips, grid_.get()));
        QVERIFY(normal < grid_->rowHeight(3));
        QCOMPARE(grid_->frozenColumnView()->rowHeight(3), grid_->rowHeight(3));
        // The next page starts with ordinary rows again.
        grid_->showRows({invoiceRow(3, columns, "乙"), invoiceRow(4, columns, "丙")});
        QCOMPARE(grid_->rowHeight(3), normal);
    }

    void newHeadingsCutTheGridBackToItsHeadingRows() {
        grid_->setHeadings(headings_);
        grid_->showRows({invoiceRow(1, headings_.columnCount(), "甲")});
        QCOMPARE(grid_->dataRowCount(), 1);
        grid_->setHeadings(reports::vat::LayoutResultHeadings({}, {}));
        QCOMPARE(grid_->dataRowCount(), 0);
        QCOMPARE(grid_->model()->rowCount(), 2);
        QCOMPARE(grid_->model()->columnCount(), 9);
        QCOMPARE(grid_->columnSpan(0, 6), 1);  // the old item's merge is gone
    }
};

QTEST_MAIN(ResultGridTest)
#include "ResultGridTest.moc"
