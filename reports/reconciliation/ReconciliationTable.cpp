#include "ReconciliationTable.h"

#include <stdexcept>

namespace tally::reports::reconciliation {

void ReconciliationTable::layOut(HeadingLayout headings) {
    headings_ = std::move(headings);
    rows_.clear();
    for (const auto* texts : {&headings_.row0, &headings_.row1}) {
        std::vector<TableCell> row;
        for (const auto& t : *texts) row.push_back({t, std::nullopt});
        rows_.push_back(std::move(row));
    }
}

void ReconciliationTable::removeDataRows() {
    if (rows_.size() > kHeadingRows) rows_.resize(kHeadingRows);
}

const TableCell& ReconciliationTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        throw std::out_of_range("cell (" + std::to_string(row) + ", " + std::to_string(column) +
                                ") lies outside the table");
    return rows_[row][column];
}

TableCell& ReconciliationTable::at(int row, int column) { return const_cast<TableCell&>(cell(row, column)); }

void ReconciliationTable::setText(int row, int column, std::string text) { at(row, column).text = std::move(text); }

void ReconciliationTable::setCell(int row, int column, std::string text, std::optional<Colour> colour) {
    TableCell& c = at(row, column);
    c.text = std::move(text);
    c.colour = colour;
}

int ReconciliationTable::appendRow() {
    rows_.emplace_back(columnCount());
    return rowCount() - 1;
}

int ReconciliationTable::widthTwips(int column) const {
    if (column < 0 || column >= columnCount()) throw std::out_of_range("no column " + std::to_string(column));
    return headings_.widthsTwips[column];
}

CellAlignment ReconciliationTable::alignment(int row, int column) const {
    if (row < kHeadingRows || column < kFrozenColumns) return CellAlignment::Centre;
    return CellAlignment::Right;
}

std::vector<std::string> ReconciliationTable::rowTexts(int row) const {
    std::vector<std::string> texts;
    for (int c = 0; c < columnCount(); ++c) texts.push_back(text(row, c));
    return texts;
}

std::vector<std::vector<std::string>> ReconciliationTable::dataRowTexts() const {
    std::vector<std::vector<std::string>> out;
    for (int r = kHeadingRows; r < rowCount(); ++r) out.push_back(rowTexts(r));
    return out;
}

}  // namespace tally::reports::reconciliation
