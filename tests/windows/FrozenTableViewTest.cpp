// The frozen-row/column overlay, checked by properties: which sections each
// overlay shows, where it sits, and that it follows the main view.
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

#include "FrozenTableView.h"

using tally::reportui::FrozenTableView;

class FrozenTableViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QStandardItemModel> model_;
    std::unique_ptr<FrozenTableView> view_;

    static constexpr int kRows = 30, kColumns = 12, kWidth = 80, kHeight = 25;

private slots:
    void init() {
        model_ = std::make_unique<QStandardItemModel>(kRows, kColumns);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) model_->setItem(r, c, new QStandardItem(QString("%1,%2").arg(r).arg(c)));
        view_ = std::make_unique<FrozenTableView>();
        view_->verticalHeader()->setDefaultSectionSize(kHeight);
        view_->setModel(model_.get());
        for (int c = 0; c < kColumns; ++c) view_->setColumnWidth(c, kWidth);
        view_->setFrozenColumns(2);
        view_->setFrozenRows(1);
        view_->resize(400, 300);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    }
    void cleanup() {
        view_.reset();
        model_.reset();
    }

    void overlaysShareTheModelAndTheSelection() {
        for (QTableView* overlay : {view_->frozenColumnView(), view_->frozenRowView(), view_->frozenCornerView()}) {
            QCOMPARE(overlay->model(), view_->model());
            QCOMPARE(overlay->selectionModel(), view_->selectionModel());
        }
        view_->setCurrentIndex(model_->index(4, 0));
        QCOMPARE(view_->frozenColumnView()->currentIndex(), model_->index(4, 0));
    }

    void eachOverlayShowsOnlyItsFrozenSections() {
        QTableView* columns = view_->frozenColumnView();
        QTableView* rows = view_->frozenRowView();
        QTableView* corner = view_->frozenCornerView();
        for (int c = 0; c < kColumns; ++c) {
            QCOMPARE(columns->isColumnHidden(c), c >= 2);
            QCOMPARE(corner->isColumnHidden(c), c >= 2);
            QVERIFY(!rows->isColumnHidden(c));
        }
        for (int r = 0; r < kRows; ++r) {
            QCOMPARE(rows->isRowHidden(r), r >= 1);
            QCOMPARE(corner->isRowHidden(r), r >= 1);
            QVERIFY(!columns->isRowHidden(r));
        }
        QCOMPARE(view_->frozenWidth(), 2 * kWidth);
        QCOMPARE(view_->frozenHeight(), kHeight);
        QCOMPARE(columns->geometry(),
                 QRect(view_->viewport()->geometry().topLeft(), QSize(2 * kWidth, view_->viewport()->height())));
        QCOMPARE(corner->geometry().size(), QSize(2 * kWidth, kHeight));
    }

    void frozenColumnsStayInViewWhenScrolledRight() {
        QScrollBar* bar = view_->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        // The main view has scrolled its first columns out of sight...
        QVERIFY(view_->visualRect(model_->index(5, 0)).right() < 0);
        // ...the overlay still shows them at the viewport's left edge.
        QTableView* columns = view_->frozenColumnView();
        QVERIFY(columns->isVisible());
        QCOMPARE(columns->x(), view_->viewport()->x());
        QCOMPARE(columns->horizontalScrollBar()->value(), 0);
        QCOMPARE(columns->visualRect(model_->index(5, 0)).left(), 0);
        QCOMPARE(columns->visualRect(model_->index(5, 1)).left(), kWidth);
        // The frozen row scrolls sideways with the body.
        QCOMPARE(view_->frozenRowView()->horizontalScrollBar()->value(), bar->maximum());
    }

    void frozenRowsStayInViewWhenScrolledDown() {
        QScrollBar* bar = view_->verticalScrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(view_->visualRect(model_->index(0, 5)).bottom() < 0);
        QCOMPARE(view_->frozenRowView()->visualRect(model_->index(0, 5)).top(), 0);
        QCOMPARE(view_->frozenColumnView()->verticalScrollBar()->value(), bar->maximum());
    }

    void widthsAndHeightsFollowTheMainView() {
        view_->setColumnWidth(1, 130);
        view_->setRowHeight(0, 40);
        view_->setRowHeight(7, 33);
        QCOMPARE(view_->frozenColumnView()->columnWidth(1), 130);
        QCOMPARE(view_->frozenRowView()->columnWidth(1), 130);
        QCOMPARE(view_->frozenColumnView()->width(), kWidth + 130);
        QCOMPARE(view_->frozenRowView()->height(), 40);
        QCOMPARE(view_->frozenColumnView()->rowHeight(7), 33);
    }

    void spansAreMergedInEveryView() {
        view_->setCellSpan(0, 2, 1, 3);
        view_->setCellSpan(0, 0, 2, 1);
        QCOMPARE(view_->columnSpan(0, 2), 3);
        QCOMPARE(view_->frozenRowView()->columnSpan(0, 2), 3);
        QCOMPARE(view_->frozenColumnView()->rowSpan(0, 0), 2);
        view_->clearCellSpans();
        QCOMPARE(view_->frozenRowView()->columnSpan(0, 2), 1);
    }

    void rowsAddedLaterAreKeptOutOfTheFrozenRowOverlay() {
        model_->insertRows(kRows, 3);
        QVERIFY(view_->frozenRowView()->isRowHidden(kRows + 2));
        QVERIFY(!view_->frozenColumnView()->isRowHidden(kRows + 2));
    }

    void keyboardNeverLeavesTheCurrentCellUnderTheOverlay() {
        view_->setFocus();
        view_->setCurrentIndex(model_->index(5, kColumns - 1));
        QVERIFY(view_->horizontalScrollBar()->value() > 0);
        for (int c = kColumns - 1; c > 2; --c) {
            QTest::keyClick(view_.get(), Qt::Key_Left);
            QCOMPARE(view_->currentIndex().column(), c - 1);
            QVERIFY2(view_->visualRect(view_->currentIndex()).left() >= view_->frozenWidth(),
                     qPrintable(QString("column %1 hidden under the frozen columns").arg(c - 1)));
        }
        QTest::keyClick(view_.get(), Qt::Key_Up, Qt::NoModifier);
        for (int r = 4; r >= 1; --r) {
            QVERIFY(view_->visualRect(view_->currentIndex()).top() >= view_->frozenHeight());
            QTest::keyClick(view_.get(), Qt::Key_Up);
        }
    }

    void frozenCellsDoNotScrollTheirFrozenDirection() {
        view_->horizontalScrollBar()->setValue(view_->horizontalScrollBar()->maximum());
        const int before = view_->horizontalScrollBar()->value();
        view_->scrollTo(model_->index(20, 0));
        QCOMPARE(view_->horizontalScrollBar()->value(), before);
        QVERIFY(view_->verticalScrollBar()->value() > 0);
    }
};

QTEST_MAIN(FrozenTableViewTest)
#include "FrozenTableViewTest.moc"
