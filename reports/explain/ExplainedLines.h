#pragma once
// The invoice lines that make up one figure of a report, and their total.
#include <string>
#include <vector>

#include "Money.h"
#include "Recordset.h"

namespace tally::reports::explain {

struct ExplainedLine {
    std::string invoiceNumber;  // 票据编号
    std::string batch;          // 入库单编号
    std::string type;           // 票据类型's name
    std::string issuedOn;       // 开票日期 "yyyy-mm-dd"; the stored text when it is no date
    std::string collectedOn;    // 收款日期, "" when Null
    std::string voidedOn;       // 作废日期, "" when Null
    std::string payer;          // 付款人
    std::string feeCode;        // 收费项目代号
    std::string feeName;        // the item's cleaned name, "" when the report names none
    double amount = 0;          // 金额
    bool taxIsNull = false;
    double tax = 0;    // 税额, 0 when Null
    std::string rate;  // the settings rate as the report's rate column shows it; "" when none
    // What the line adds to the figure: 金额, 税额 or 金额 less 税额, as the figure takes it.
    double value = 0;
};

// A figure's lines and its total. The report rounds some sums on their own before adding
// them up (each rate row of a month subtotal, each item of a hand-over 小计), so the lines
// come in parts: the total is the sum of each part's rounded sum, as the report adds them.
class Explanation {
public:
    // Appends a part: its lines and the sum of their values rounded to cents.
    void addPart(std::vector<ExplainedLine> lines);
    void append(const Explanation& other);

    const std::vector<ExplainedLine>& lines() const { return lines_; }
    Cents total() const { return total_; }

private:
    std::vector<ExplainedLine> lines_;
    Cents total_ = 0;
};

// The current row of a line statement: the columns 票据编号, 入库单编号, 类型, 开票日期,
// 收款日期, 作废日期, 付款人, 收费项目代号, 金额, 税额. The value is left 0.
ExplainedLine readExplainedLine(const data::Recordset& rs);

// A date column as the lists show it: "yyyy-mm-dd", "" for Null, the text itself otherwise.
std::string listedDate(const data::Value& value);

// The list's column headings and one line's cells, as the tool and the windows show them.
std::vector<std::string> explainedLineHeadings();
std::vector<std::string> explainedLineCells(const ExplainedLine& line);

}  // namespace tally::reports::explain
