#include "ResultPageModel.h"

#include <QBrush>
#include <QColor>

namespace tally::reportui {
namespace {

// The grey of a flex grid's fixed cells.
const QColor kFixedCellColour(240, 240, 240);

// Colour values keep red in the low byte.
QColor colourOf(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

bool looksNumeric(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

}  // namespace

ResultPageModel::ResultPageModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultPageModel::setHeadings(reports::HeadingLayout headings) {
    beginResetModel();
    headings_ = std::move(headings);
    rows_.clear();
    endResetModel();
}

void ResultPageModel::setPageRows(std::vector<reports::DrawnRow> rows) {
    clearPageRows();
    if (rows.empty()) return;
    beginInsertRows({}, kHeadingRows, kHeadingRows + static_cast<int>(rows.size()) - 1);
    rows_ = std::move(rows);
    endInsertRows();
}

void ResultPageModel::clearPageRows() {
    if (rows_.empty()) return;
    beginRemoveRows({}, kHeadingRows, kHeadingRows + pageRowCount() - 1);
    rows_.clear();
    endRemoveRows();
}

int ResultPageModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kHeadingRows + pageRowCount();
}

int ResultPageModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : headings_.columnCount();
}

QString ResultPageModel::cellText(int row, int column) const {
    if (column < 0 || column >= headings_.columnCount()) return {};
    if (row == 0) return QString::fromStdString(headings_.row0[column]);
    if (row == 1) return QString::fromStdString(headings_.row1[column]);
    const int index = row - kHeadingRows;
    if (index < 0 || index >= pageRowCount()) return {};
    const auto& cells = rows_[index].cells;
    return column < static_cast<int>(cells.size()) ? QString::fromStdString(cells[column].text) : QString();
}

Qt::Alignment ResultPageModel::alignmentOf(int row, int column) const {
    if (row < kHeadingRows) return Qt::AlignCenter;
    const auto& cells = rows_[row - kHeadingRows].cells;
    if (column >= static_cast<int>(cells.size())) return Qt::AlignLeft | Qt::AlignVCenter;
    switch (cells[column].align) {
    case reports::CellAlign::Centre: return Qt::AlignCenter;
    case reports::CellAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case reports::CellAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case reports::CellAlign::General: break;
    }
    // A grid's general alignment: numbers to the right, text to the left.
    return (looksNumeric(cellText(row, column)) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QVariant ResultPageModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return cellText(row, column);
    case Qt::TextAlignmentRole: return static_cast<int>(alignmentOf(row, column));
    case Qt::BackgroundRole:
        if (row >= kHeadingRows) {
            const auto& cells = rows_[row - kHeadingRows].cells;
            if (column < static_cast<int>(cells.size()) && cells[column].background)
                return QBrush(colourOf(*cells[column].background));
        }
        if (row < kHeadingRows || column < headings_.frozenColumns) return QBrush(kFixedCellColour);
        return {};
    default: return {};
    }
}

Qt::ItemFlags ResultPageModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace tally::reportui
