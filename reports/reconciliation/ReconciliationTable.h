#pragma once
// The reconciliation result: a grid of text cells with optional background
// colours. Rows 0 and 1 are the headings; detail, subtotal and total rows follow.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Headings.h"
#include "Money.h"

namespace tally::reports::reconciliation {

// 24-bit colour values, red in the low byte.
using Colour = std::uint32_t;
inline constexpr Colour kSubtotalColour = 12640511;  // RGB(255, 224, 192)
inline constexpr Colour kTotalColour = 16761024;     // RGB(192, 192, 255)

inline constexpr const char* kSubtotalMark = "小计";  // column 2 of a month's subtotal row
inline constexpr const char* kTotalMark = "合计";     // column 1 of the grand-total row

struct TableCell {
    std::string text;
    std::optional<Colour> colour;
    bool operator==(const TableCell&) const = default;
};

enum class CellAlignment { Centre, Right };

class ReconciliationTable {
public:
    static constexpr int kHeadingRows = 2;  // rows 0 and 1; also the frozen rows
    static constexpr int kFrozenColumns = 3;

    // Resets to the two heading rows of `headings`; every data row goes.
    void layOut(HeadingLayout headings);
    // Keeps the headings and drops every data row.
    void removeDataRows();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return headings_.columnCount(); }

    // Zero-based; throws std::out_of_range for a cell outside the table.
    const TableCell& cell(int row, int column) const;
    const std::string& text(int row, int column) const { return cell(row, column).text; }
    // The cell's text read back as an amount; "" counts 0.
    Cents value(int row, int column) const { return parseCents(text(row, column)); }
    void setText(int row, int column, std::string text);
    void setCell(int row, int column, std::string text, std::optional<Colour> colour);
    // Appends a row of empty cells and returns its index.
    int appendRow();
    // Column 0 of a row below the headings: detail, subtotal and total rows count alike from "1".
    static std::string runningNumber(int row) { return std::to_string(row - kHeadingRows + 1); }

    const HeadingLayout& headings() const { return headings_; }
    // Merged heading cells: equal texts across row 0, and the columns that merge down.
    std::vector<HeadingSpan> headingSpans() const { return headings_.spans(); }
    int widthTwips(int column) const;
    // Headings centred; below them columns 0 to 2 centred, amounts right-aligned.
    CellAlignment alignment(int row, int column) const;

    // The texts of one row, every column.
    std::vector<std::string> rowTexts(int row) const;
    // The texts of every row from row 2 on.
    std::vector<std::vector<std::string>> dataRowTexts() const;

private:
    TableCell& at(int row, int column);

    HeadingLayout headings_;
    std::vector<std::vector<TableCell>> rows_;
};

}  // namespace tally::reports::reconciliation
