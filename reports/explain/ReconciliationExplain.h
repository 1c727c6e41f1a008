#pragma once
// The invoice lines behind an amount cell of the reconciliation table: a month's rate row,
// its subtotal or the grand total, in any invoice, receipt, hand-over, 小计 or
// pre-invoicing column. The lines are read through the statements' own conditions
// (ReconciliationStatements.h) and picked into cells by the rules the month rows follow
// (MonthRows.h), so the listed total equals the cell to the cent.
#include <map>
#include <string>
#include <vector>

#include "Connection.h"
#include "ExplainedLines.h"
#include "InvoiceTypeLists.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationSelection.h"
#include "ReconciliationTable.h"
#include "ReportError.h"

namespace tally::reports::explain {

// Said for a cell that holds no amount made of lines (a heading, 序, 税率, 差额, 备注).
inline constexpr const char* kNotAnAmountCell = "该单元格不是金额，没有明细";

class ReconciliationExplainer {
public:
    // `table` is the finished table of a run with `items` over `selection`; it is copied.
    ReconciliationExplainer(data::Connection& connection, reconciliation::ReconciliationSelection selection,
                            reconciliation::InvoiceTypeLists typeLists, reconciliation::ReconciliationFeeItems items,
                            reconciliation::ReconciliationTable table);

    // Whether the cell (zero-based table row and column, headings included) holds an
    // amount that lines make up.
    bool explainable(int row, int column) const;

    // The cell's lines; a refused error for a cell that is not explainable, the database
    // error when a statement fails. Each month's lines are read once per explainer.
    Outcome<Explanation> explain(int row, int column);

private:
    struct MonthLine {
        ExplainedLine line;
        bool rated = false;  // a settings rate; false: the settings row has none
        bool special = false, ordinary = false, receipt = false, handedOver = false;
    };

    const std::vector<MonthLine>& monthLines(const std::string& monthKey);
    const std::vector<ExplainedLine>& preInvoicedLines(const std::string& monthKey, bool collected);
    Explanation detailCell(int row, int column);
    Explanation explainCell(int row, int column);
    std::string feeName(const std::string& code) const;

    data::Connection& connection_;
    reconciliation::ReconciliationSelection selection_;
    reconciliation::InvoiceTypeLists typeLists_;
    reconciliation::ReconciliationFeeItems items_;
    reconciliation::ReconciliationTable table_;
    std::map<std::string, std::vector<MonthLine>> months_;
    std::map<std::pair<std::string, bool>, std::vector<ExplainedLine>> preInvoiced_;
};

// A fee item's code as stored, from its SQL literal ("'F''1'" -> "F'1"; "" stays "").
std::string storedCode(const std::string& quotedCode);

}  // namespace tally::reports::explain
