#include "ExplanationList.h"

#include <algorithm>
#include <set>

namespace tally::reports::explain {
namespace {

constexpr int kUnitTwips = 110;
constexpr int kMinWidthTwips = 600;
// Wider texts (a payer with an address) are read in the cell's tooltip.
constexpr int kMaxWidthTwips = 4400;

ExplanationList withHeadings(std::vector<std::string> headings) {
    static const std::set<std::string> amounts{"金额", "税额", "计入金额"};
    static const std::set<std::string> dates{"开票日期", "收款日期", "作废日期"};
    ExplanationList list;
    for (const auto& heading : headings) {
        list.amountColumns.push_back(amounts.count(heading) > 0);
        list.dateColumns.push_back(dates.count(heading) > 0);
    }
    // Both lists carry the value a line adds to the figure under 计入金额.
    const auto valueColumn = std::find(headings.begin(), headings.end(), "计入金额");
    list.totalColumn = static_cast<int>(valueColumn - headings.begin());
    list.headings = std::move(headings);
    return list;
}

// UTF-8 lead bytes start a character; continuation bytes are 10xxxxxx.
int displayUnits(const std::string& text) {
    int units = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue;
        units += c < 0x80 ? 1 : 2;
    }
    return units;
}

}  // namespace

std::vector<std::string> ExplanationList::totalCells() const {
    std::vector<std::string> cells(headings.size());
    if (cells.empty()) return cells;
    cells.front() = kListTotalLabel;
    if (totalColumn >= 0 && totalColumn < static_cast<int>(cells.size())) cells[totalColumn] = formatCents(total);
    return cells;
}

ExplanationList listOf(const Explanation& explanation) {
    ExplanationList list = withHeadings(explainedLineHeadings());
    for (const auto& line : explanation.lines()) list.lines.push_back(explainedLineCells(line));
    list.total = explanation.total();
    return list;
}

ExplanationList listOf(const DetailExplanation& explanation) {
    ExplanationList list = withHeadings(detailLineHeadings());
    list.lines = detailLineCells(explanation);
    list.total = explanation.total;
    return list;
}

DrawnRow ExplanationResult::drawRow(int index) const {
    const bool totalRow = index == static_cast<int>(list_.lines.size());
    const auto cells = totalRow ? list_.totalCells() : list_.lines.at(static_cast<std::size_t>(index));
    DrawnRow row;
    row.cells.push_back({totalRow ? std::string() : std::to_string(index + 1), CellAlign::Centre});
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const bool amount = c < list_.amountColumns.size() && list_.amountColumns[c];
        row.cells.push_back({cells[c], amount ? CellAlign::Right : CellAlign::Left});
    }
    return row;
}

int listTextTwips(const std::string& text) { return displayUnits(text) * kUnitTwips; }

HeadingLayout explanationHeadings(const ExplanationList& list) {
    HeadingLayout layout;
    const int rows = static_cast<int>(list.lines.size()) + 1;
    layout.addColumn("序", "序", std::max(kMinWidthTwips, listTextTwips(std::to_string(rows)) + 2 * kUnitTwips), true);
    const auto total = list.totalCells();
    for (std::size_t c = 0; c < list.headings.size(); ++c) {
        int widest = std::max(listTextTwips(list.headings[c]), listTextTwips(total[c]));
        for (const auto& line : list.lines)
            if (c < line.size()) widest = std::max(widest, listTextTwips(line[c]));
        const int width = std::clamp(widest + 2 * kUnitTwips, kMinWidthTwips, kMaxWidthTwips);
        layout.addColumn(list.headings[c], list.headings[c], width, true);
    }
    layout.frozenColumns = std::min(2, layout.columnCount());
    return layout;
}

}  // namespace tally::reports::explain
