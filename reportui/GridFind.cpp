#include "GridFind.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

#include "Notifier.h"
#include "ReportWindowFrame.h"
#include "ResultGrid.h"
#include "ResultPageModel.h"
#include "ResultPager.h"
#include "ResultSearch.h"

namespace tally::reportui {
namespace {

std::vector<std::string> texts(const std::vector<reports::GridCell>& cells) {
    std::vector<std::string> out;
    out.reserve(cells.size());
    for (const auto& cell : cells) out.push_back(cell.text);
    return out;
}

// Data row `pageRow` of the grid (0 = the first under the headings), as the user would
// select it: the whole row selected, `column` current and in view.
void selectRow(ResultGrid& grid, int pageRow, int column) {
    const QModelIndex index = grid.model()->index(ResultPageModel::kHeadingRows + pageRow, column);
    if (!index.isValid()) return;
    grid.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid.scrollTo(index);
}

// The grid's current data row (0 = the first under the headings); -1 when none.
int currentPageRow(const ResultGrid& grid) {
    const QModelIndex index = grid.currentIndex();
    if (!index.isValid() || index.row() < ResultPageModel::kHeadingRows) return -1;
    const int row = index.row() - ResultPageModel::kHeadingRows;
    return row < grid.dataRowCount() ? row : -1;
}

}  // namespace

FindableRows pagedRows(ResultPager& pager, ResultGrid& grid) {
    FindableRows rows;
    rows.count = [&pager] { return pager.hasRows() ? pager.result()->rowCount() : 0; };
    rows.cells = [&pager](int row) { return texts(pager.result()->drawRow(row).cells); };
    rows.firstColumn = 1;  // the row number the engine drew
    rows.current = [&pager, &grid] {
        if (!pager.hasRows()) return -1;
        const int firstShown = pager.paging().firstRow(pager.paging().currentPage);
        const int row = currentPageRow(grid);
        return row < 0 ? firstShown - 1 : firstShown + row;
    };
    rows.show = [&pager, &grid](int row, int column) {
        const int page = row / pager.pageSize() + 1;
        // The page shown stays as it is (a redraw would drop the selection).
        if (page != pager.paging().currentPage) pager.showPage(page);
        selectRow(grid, row - pager.paging().firstRow(page), column);
    };
    return rows;
}

FindableRows shownRows(ResultGrid& grid) {
    FindableRows rows;
    rows.count = [&grid] { return grid.dataRowCount(); };
    rows.cells = [&grid](int row) { return texts(grid.pageModel()->pageRow(row).cells); };
    rows.current = [&grid] { return currentPageRow(grid); };
    rows.show = [&grid](int row, int column) { selectRow(grid, row, column); };
    return rows;
}

GridFind::GridFind(ReportWindowFrame& window, Notifier& notifier, FindableRows rows)
    : QObject(&window), window_(window), notifier_(notifier), rows_(std::move(rows)) {
    ResultGrid* grid = window_.resultGrid();
    auto* frame = new QFrame(grid->parentWidget());
    frame->setObjectName("FindBar");
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    frame->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(new QLabel("查找:", frame));
    box_ = new QLineEdit(frame);
    box_->setObjectName("FindBox");
    box_->setPlaceholderText("发票号、付款人或金额");
    box_->setMinimumWidth(box_->fontMetrics().horizontalAdvance(box_->placeholderText()) + 16);
    layout->addWidget(box_);
    auto* closeButton = new QToolButton(frame);
    closeButton->setObjectName("FindClose");
    closeButton->setText("×");
    closeButton->setToolTip("关闭");
    closeButton->setAutoRaise(true);
    layout->addWidget(closeButton);
    frame->hide();
    bar_ = frame;

    connect(box_, &QLineEdit::returnPressed, this, &GridFind::findNext);
    connect(closeButton, &QToolButton::clicked, this, &GridFind::close);
    auto shortcut = [this](QWidget* owner, QKeySequence keys, void (GridFind::*slot)()) {
        auto* s = new QShortcut(keys, owner);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(&window_, QKeySequence(Qt::CTRL | Qt::Key_F), &GridFind::ask);
    shortcut(&window_, QKeySequence(Qt::Key_F3), &GridFind::findNext);
    shortcut(bar_, QKeySequence(Qt::Key_Escape), &GridFind::close);
    grid->installEventFilter(this);
}

void GridFind::ask() {
    place();
    bar_->show();
    bar_->raise();
    box_->setFocus(Qt::ShortcutFocusReason);
    box_->selectAll();
}

void GridFind::findNext() {
    const QString text = box_->text().trimmed();
    if (text.isEmpty()) {
        ask();
        return;
    }
    // The rows may be replaced by the work going on.
    if (window_.busy()) return;
    const reports::explain::ResultSearch search(text.toStdString());
    const int first = rows_.firstColumn;
    auto searched = [this, first](int row) {
        auto cells = rows_.cells(row);
        cells.erase(cells.begin(), cells.begin() + std::min<std::size_t>(first, cells.size()));
        return cells;
    };
    const auto row = reports::explain::findRow(search, rows_.count(), searched, rows_.current());
    if (!row) {
        notifier_.notice(QString(kNotFound).arg(text).toStdString());
        return;
    }
    const auto cells = rows_.cells(*row);
    int column = first;
    for (int c = first; c < static_cast<int>(cells.size()); ++c)
        if (search.matches(cells[c])) {
            column = c;
            break;
        }
    rows_.show(*row, column);
}

void GridFind::close() {
    bar_->hide();
    window_.resultGrid()->setFocus(Qt::OtherFocusReason);
}

bool GridFind::eventFilter(QObject* watched, QEvent* event) {
    if (bar_->isVisible() && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) place();
    return QObject::eventFilter(watched, event);
}

void GridFind::place() {
    const ResultGrid* grid = window_.resultGrid();
    bar_->adjustSize();
    const QRect area = grid->geometry();
    int right = area.right() - grid->frameWidth();
    if (grid->verticalScrollBar()->isVisible()) right -= grid->verticalScrollBar()->width();
    bar_->move(std::max(area.left(), right - bar_->width() + 1), area.top() + grid->frameWidth());
}

}  // namespace tally::reportui
