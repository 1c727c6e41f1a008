#include "FrozenTableView.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace tally::reportui {
namespace {

// Rows and columns are handled alike, through the header of their direction (hidden,
// but it keeps the section sizes): Qt::Horizontal for columns, Qt::Vertical for rows.
QHeaderView* headerOf(const QTableView* view, Qt::Orientation direction) {
    return direction == Qt::Horizontal ? view->horizontalHeader() : view->verticalHeader();
}

// The view's model's columns or rows; 0 without a model.
int sectionCount(const QTableView* view, Qt::Orientation direction) {
    const QAbstractItemModel* model = view->model();
    if (!model) return 0;
    return direction == Qt::Horizontal ? model->columnCount(view->rootIndex()) : model->rowCount(view->rootIndex());
}

void setSectionHidden(QTableView* view, Qt::Orientation direction, int index, bool hidden) {
    if (direction == Qt::Horizontal) view->setColumnHidden(index, hidden);
    else view->setRowHidden(index, hidden);
}

}  // namespace

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
            [this](int column, int, int width) { syncSectionSize(Qt::Horizontal, column, width); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int height) { syncSectionSize(Qt::Vertical, row, height); });
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
    syncSectionsAlong(Qt::Horizontal, columns);
    syncSectionsAlong(Qt::Vertical, rows);
    placeOverlays();
}

// The overlay over the frozen columns (rows) and the corner show only the frozen ones;
// the other overlay scrolls along them and shows them all. Hidden ones stay hidden.
void FrozenTableView::syncSectionsAlong(Qt::Orientation direction, int count) {
    QTableView* frozen = direction == Qt::Horizontal ? columnView_ : rowView_;
    QTableView* scrolling = direction == Qt::Horizontal ? rowView_ : columnView_;
    const QHeaderView* header = headerOf(this, direction);
    for (int i = 0; i < count; ++i) {
        const bool hidden = header->isSectionHidden(i);
        setSectionHidden(frozen, direction, i, hidden || i >= frozenCount(direction));
        setSectionHidden(cornerView_, direction, i, hidden || i >= frozenCount(direction));
        setSectionHidden(scrolling, direction, i, hidden);
        syncSectionSize(direction, i, header->sectionSize(i));
    }
}

int FrozenTableView::frozenCount(Qt::Orientation direction) const {
    return direction == Qt::Horizontal ? frozenColumns_ : frozenRows_;
}

void FrozenTableView::syncSectionSize(Qt::Orientation direction, int index, int size) {
    for (QTableView* view : {columnView_, rowView_, cornerView_})
        if (index < sectionCount(view, direction)) headerOf(view, direction)->resizeSection(index, size);
    if (index < frozenCount(direction)) placeOverlays();
}

int FrozenTableView::frozenLength(Qt::Orientation direction) const {
    const QHeaderView* header = headerOf(this, direction);
    const int count = std::min(frozenCount(direction), sectionCount(this, direction));
    int length = 0;
    for (int i = 0; i < count; ++i)
        if (!header->isSectionHidden(i)) length += header->sectionSize(i);
    return length;
}

int FrozenTableView::frozenWidth() const { return frozenLength(Qt::Horizontal); }
int FrozenTableView::frozenHeight() const { return frozenLength(Qt::Vertical); }

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
