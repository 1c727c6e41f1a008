#include "FrozenTableView.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace tally::reportui {

FrozenTableView::FrozenTableView(QWidget* parent) : QTableView(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Per-pixel scrolling lets the overlays take the very same scroll values.
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);

    columnView_ = makeOverlay();
    rowView_ = makeOverlay();
    cornerView_ = makeOverlay();

    // The overlays cover the viewport's edges and follow its scroll bars; they
    // scroll only along the direction in which they are not frozen.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, columnView_->verticalScrollBar(), &QScrollBar::setValue);
    connect(columnView_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, rowView_->horizontalScrollBar(), &QScrollBar::setValue);
    connect(rowView_->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(), &QScrollBar::setValue);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { syncColumnWidth(column, width); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int height) { syncRowHeight(row, height); });
}

QTableView* FrozenTableView::makeOverlay() {
    auto* view = new QTableView(this);
    view->setFocusPolicy(Qt::NoFocus);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollMode(ScrollPerPixel);
    view->setVerticalScrollMode(ScrollPerPixel);
    view->setFrameShape(QFrame::NoFrame);
    // A current cell outside the overlay must not scroll it.
    view->setAutoScroll(false);
    view->setEditTriggers(NoEditTriggers);
    view->hide();
    return view;
}

void FrozenTableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    for (QTableView* view : {columnView_, rowView_, cornerView_}) {
        view->setModel(model);
        view->setSelectionModel(selectionModel());
    }
    connectModel();
    syncSections();
}

void FrozenTableView::setSelectionModel(QItemSelectionModel* selection) {
    QTableView::setSelectionModel(selection);
    for (QTableView* view : {columnView_, rowView_, cornerView_})
        if (view->model() == model()) view->setSelectionModel(selection);
}

void FrozenTableView::connectModel() {
    for (auto& c : modelConnections_) disconnect(c);
    if (!model()) return;
    // Connected after the overlays' own headers, so the sections exist when these run.
    auto resync = [this] { syncSections(); };
    modelConnections_[0] = connect(model(), &QAbstractItemModel::modelReset, this, resync);
    modelConnections_[1] = connect(model(), &QAbstractItemModel::rowsInserted, this, resync);
    modelConnections_[2] = connect(model(), &QAbstractItemModel::columnsInserted, this, resync);
    modelConnections_[3] = connect(model(), &QAbstractItemModel::layoutChanged, this, resync);
    modelConnections_[4] = connect(model(), &QAbstractItemModel::rowsRemoved, this, resync);
}

void FrozenTableView::setFrozenColumns(int count) {
    frozenColumns_ = std::max(0, count);
    syncSections();
}

void FrozenTableView::setFrozenRows(int count) {
    frozenRows_ = std::max(0, count);
    syncSections();
}

void FrozenTableView::setCellSpan(int row, int column, int rowSpan, int columnSpan) {
    setSpan(row, column, rowSpan, columnSpan);
    for (QTableView* view : {columnView_, rowView_, cornerView_}) view->setSpan(row, column, rowSpan, columnSpan);
}

void FrozenTableView::clearCellSpans() {
    clearSpans();
    for (QTableView* view : {columnView_, rowView_, cornerView_}) view->clearSpans();
}

void FrozenTableView::syncSections() {
    if (!model()) return;
    const int rows = model()->rowCount(rootIndex());
    const int columns = model()->columnCount(rootIndex());
    for (QTableView* view : {columnView_, rowView_, cornerView_}) {
        view->setWordWrap(wordWrap());
        view->setShowGrid(showGrid());
        view->setGridStyle(gridStyle());
        view->setFont(font());
        view->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        view->verticalHeader()->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
        view->horizontalHeader()->setMinimumSectionSize(horizontalHeader()->minimumSectionSize());
    }
    for (int c = 0; c < columns; ++c) {
        const bool hidden = isColumnHidden(c);
        columnView_->setColumnHidden(c, hidden || c >= frozenColumns_);
        cornerView_->setColumnHidden(c, hidden || c >= frozenColumns_);
        rowView_->setColumnHidden(c, hidden);
        syncColumnWidth(c, columnWidth(c));
    }
    for (int r = 0; r < rows; ++r) {
        const bool hidden = isRowHidden(r);
        rowView_->setRowHidden(r, hidden || r >= frozenRows_);
        cornerView_->setRowHidden(r, hidden || r >= frozenRows_);
        columnView_->setRowHidden(r, hidden);
        syncRowHeight(r, rowHeight(r));
    }
    placeOverlays();
}

void FrozenTableView::syncColumnWidth(int column, int width) {
    for (QTableView* view : {columnView_, rowView_, cornerView_})
        if (view->model() && column < view->model()->columnCount(view->rootIndex())) view->setColumnWidth(column, width);
    if (column < frozenColumns_) placeOverlays();
}

void FrozenTableView::syncRowHeight(int row, int height) {
    for (QTableView* view : {columnView_, rowView_, cornerView_})
        if (view->model() && row < view->model()->rowCount(view->rootIndex())) view->setRowHeight(row, height);
    if (row < frozenRows_) placeOverlays();
}

int FrozenTableView::frozenWidth() const {
    if (!model()) return 0;
    int width = 0;
    const int columns = std::min(frozenColumns_, model()->columnCount(rootIndex()));
    for (int c = 0; c < columns; ++c)
        if (!isColumnHidden(c)) width += columnWidth(c);
    return width;
}

int FrozenTableView::frozenHeight() const {
    if (!model()) return 0;
    int height = 0;
    const int rows = std::min(frozenRows_, model()->rowCount(rootIndex()));
    for (int r = 0; r < rows; ++r)
        if (!isRowHidden(r)) height += rowHeight(r);
    return height;
}

void FrozenTableView::placeOverlays() {
    if (!cornerView_) return;  // the base class lays out before the overlays exist
    const QRect port = viewport()->geometry();
    const int width = std::min(frozenWidth(), port.width());
    const int height = std::min(frozenHeight(), port.height());
    const bool hasModel = model() != nullptr;

    columnView_->setGeometry(port.x(), port.y(), width, port.height());
    columnView_->setVisible(hasModel && width > 0);
    rowView_->setGeometry(port.x(), port.y(), port.width(), height);
    rowView_->setVisible(hasModel && height > 0);
    cornerView_->setGeometry(port.x(), port.y(), width, height);
    cornerView_->setVisible(hasModel && width > 0 && height > 0);

    columnView_->raise();
    rowView_->raise();
    cornerView_->raise();
    // Take the main view's positions again: the overlays' ranges change with their sizes.
    columnView_->verticalScrollBar()->setValue(verticalScrollBar()->value());
    rowView_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

void FrozenTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeOverlays();
}

void FrozenTableView::updateGeometries() {
    QTableView::updateGeometries();
    placeOverlays();
}

QModelIndex FrozenTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    uncover(current);
    return current;
}

void FrozenTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const bool frozenColumn = index.column() < frozenColumns_;
    const bool frozenRow = index.row() < frozenRows_;
    if (frozenColumn && frozenRow) return;
    // A frozen cell is always in view along its frozen direction: scroll only the other way.
    const int keepX = horizontalScrollBar()->value();
    const int keepY = verticalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (frozenColumn) horizontalScrollBar()->setValue(keepX);
    if (frozenRow) verticalScrollBar()->setValue(keepY);
    uncover(index);
}

void FrozenTableView::uncover(const QModelIndex& index) {
    if (!index.isValid()) return;
    const QRect cell = visualRect(index);
    if (index.column() >= frozenColumns_ && cell.left() < frozenWidth())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + cell.left() - frozenWidth());
    if (index.row() >= frozenRows_ && cell.top() < frozenHeight())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + cell.top() - frozenHeight());
}

}  // namespace tally::reportui
