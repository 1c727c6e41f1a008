#include "ResultGrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>

#include "Paging.h"
#include "ReportFonts.h"
#include "ResultPageModel.h"
#include "Twips.h"

namespace tally::reportui {

ResultGrid::ResultGrid(QWidget* parent) : FrozenTableView(parent), model_(new ResultPageModel(this)) {
    setObjectName("ResultGrid");
    setFont(windowFont(9));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setWordWrap(true);
    // One line of text with a little room, like a flex grid's default row.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
    horizontalHeader()->setMinimumSectionSize(1);
    setModel(model_);
    setFrozenRows(ResultPageModel::kHeadingRows);
}

void ResultGrid::setHeadings(const reports::HeadingLayout& headings) {
    model_->setHeadings(headings);
    applyHeadingGeometry();
}

const reports::HeadingLayout& ResultGrid::headings() const { return model_->headings(); }

void ResultGrid::applyHeadingGeometry() {
    const auto& headings = model_->headings();
    for (int c = 0; c < headings.columnCount(); ++c) setColumnWidth(c, twipsX(headings.widthsTwips[c], this));
    clearCellSpans();
    for (const auto& span : headings.spans()) setCellSpan(span.row, span.column, span.rowSpan, span.columnSpan);
    setFrozenColumns(headings.frozenColumns);
}

void ResultGrid::showRows(std::vector<reports::DrawnRow> rows) {
    // Filled out of sight so that a page is painted once.
    setUpdatesEnabled(false);
    model_->setPageRows(std::move(rows));
    const QFontMetrics metrics(font());
    const int tall = twipsY(kTallRowTwips, this);
    for (int i = 0; i < model_->pageRowCount(); ++i) {
        const auto& row = model_->pageRow(i);
        const int column = row.wrapColumn;
        if (column < 0 || column >= static_cast<int>(row.cells.size())) continue;
        const QString text = QString::fromStdString(row.cells[column].text);
        if (metrics.horizontalAdvance(text) > columnWidth(column))
            setRowHeight(ResultPageModel::kHeadingRows + i, tall);
    }
    setUpdatesEnabled(true);
}

void ResultGrid::clearRows() { model_->clearPageRows(); }

int ResultGrid::dataRowCount() const { return model_->pageRowCount(); }

int ResultGrid::firstRowHeight() const { return rowHeight(0); }

int ResultGrid::rowsPerPage() const {
    const QRect inside = contentsRect();
    int height = inside.height() - frozenHeight();
    // Whether the bar shows depends on the columns, not on the page in view at the moment.
    if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && horizontalHeader()->length() > inside.width())
        height -= horizontalScrollBar()->sizeHint().height();
    return reports::rowsThatFit(height, verticalHeader()->defaultSectionSize());
}

int ResultGrid::columnWidthTwips(int column) const { return pixelsToTwips(columnWidth(column), logicalDpiX()); }

}  // namespace tally::reportui
