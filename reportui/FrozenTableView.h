#pragma once
// A table view whose first rows and first columns stay in view while the rest
// scrolls, like the fixed rows and columns of a flex grid.
//
// Three overlay views sit on top of the viewport: one over the frozen columns,
// one over the frozen rows and one over their corner. They share this view's
// model and selection model; column widths, row heights, spans and scroll
// positions follow this view. The view's own header sections are hidden:
// headings belong in frozen rows of the model.
//
// Spans must be set with setCellSpan()/clearCellSpans() so that the overlays
// merge the same cells.
#include <QTableView>

namespace tally::reportui {

class FrozenTableView : public QTableView {
    Q_OBJECT
public:
    explicit FrozenTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;

    // Leading columns and rows that do not scroll (0: none).
    void setFrozenColumns(int count);
    int frozenColumns() const { return frozenColumns_; }
    void setFrozenRows(int count);
    int frozenRows() const { return frozenRows_; }

    void setCellSpan(int row, int column, int rowSpan, int columnSpan);
    void clearCellSpans();

    // Scrolls only along the directions in which the cell is not frozen, and
    // never leaves a scrolling cell hidden under the frozen area.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Pixel width of the frozen columns and height of the frozen rows.
    int frozenWidth() const;
    int frozenHeight() const;

    // The overlays, for tests and styling.
    QTableView* frozenColumnView() const { return columnView_; }
    QTableView* frozenRowView() const { return rowView_; }
    QTableView* frozenCornerView() const { return cornerView_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    QTableView* makeOverlay();
    void connectModel();
    void syncSections();
    void syncSectionsAlong(Qt::Orientation direction, int count);
    int frozenCount(Qt::Orientation direction) const;
    // Gives the overlays' column or row the size it has in this view.
    void syncSectionSize(Qt::Orientation direction, int index, int size);
    // Pixels of the frozen columns or rows that are not hidden.
    int frozenLength(Qt::Orientation direction) const;
    void placeOverlays();
    // Scrolls so that a cell right of or below the frozen area is not hidden under it.
    void uncover(const QModelIndex& index);

    QTableView* columnView_ = nullptr;
    QTableView* rowView_ = nullptr;
    QTableView* cornerView_ = nullptr;
    int frozenColumns_ = 0;
    int frozenRows_ = 0;
    QMetaObject::Connection modelConnections_[5];
};

}  // namespace tally::reportui
