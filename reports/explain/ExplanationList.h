#pragma once
// An explanation laid out as a list: the lines' cells under their headings and a total
// row, as the 查看明细 window pages it and its export writes it.
#include <string>
#include <vector>

#include "DetailExplain.h"
#include "DetailReport.h"
#include "ExplainedLines.h"
#include "Headings.h"
#include "Money.h"

namespace tally::reports::explain {

// The label of the list's last row.
inline constexpr const char* kListTotalLabel = "合计";

struct ExplanationList {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> lines;  // one per line, one cell per heading
    Cents total = 0;                              // the explanation's total, not a sum of the cells
    int totalColumn = 0;                          // zero-based heading under which the total stands (计入金额)
    std::vector<bool> amountColumns;              // per heading: cells are amounts "0.00" ("" when Null)
    std::vector<bool> dateColumns;                // per heading: cells are "yyyy-mm-dd" ("" when Null)

    // The cells of the total row, one per heading: the label first, the total under totalColumn.
    std::vector<std::string> totalCells() const;
};

// The lines of ExplainedLines.h and of DetailExplain.h under their headings.
ExplanationList listOf(const Explanation& explanation);
ExplanationList listOf(const DetailExplanation& explanation);

// The list as a paged result: the lines, then the total row. Column 0 is the line's
// number from 1 ("" on the total row), column c + 1 the list's column c.
class ExplanationResult : public ReportResult {
public:
    explicit ExplanationResult(ExplanationList list) : list_(std::move(list)) {}

    int rowCount() const override { return static_cast<int>(list_.lines.size()) + 1; }
    int columnCount() const override { return static_cast<int>(list_.headings.size()) + 1; }
    DrawnRow drawRow(int index) const override;

    const ExplanationList& list() const { return list_; }

private:
    ExplanationList list_;
};

// The grid's headings for the result: 序 then the list's headings, each over both heading
// rows; widths (twips) wide enough for the longest text of the column, 序 and 票据编号 frozen.
HeadingLayout explanationHeadings(const ExplanationList& list);

// A text's width in twips at the lists' font: a character of the ASCII range counts one
// 110-twip unit, any other two.
int listTextTwips(const std::string& text);

}  // namespace tally::reports::explain
