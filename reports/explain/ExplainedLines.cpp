#include "ExplainedLines.h"

#include "ValueColumns.h"

namespace tally::reports::explain {

void Explanation::addPart(std::vector<ExplainedLine> lines) {
    double sum = 0;
    for (const auto& line : lines) sum += line.value;
    total_ += roundToCents(sum);
    lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
}

void Explanation::append(const Explanation& other) {
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
    total_ += other.total_;
}

std::string listedDate(const data::Value& value) {
    if (value.isNull()) return "";
    if (auto date = value.date()) return date->isoDate();
    return value.text();
}

ExplainedLine readExplainedLine(const data::Recordset& rs) {
    ExplainedLine line;
    line.invoiceNumber = rs.field("票据编号").text();
    line.batch = rs.field("入库单编号").text();
    line.type = rs.field("类型").text();
    line.issuedOn = listedDate(rs.field("开票日期"));
    line.collectedOn = listedDate(rs.field("收款日期"));
    line.voidedOn = listedDate(rs.field("作废日期"));
    line.payer = rs.field("付款人").text();
    line.feeCode = rs.field("收费项目代号").text();
    line.amount = moneyValue(rs.field("金额"));
    line.taxIsNull = rs.field("税额").isNull();
    line.tax = moneyValue(rs.field("税额"));
    return line;
}

std::vector<std::string> explainedLineHeadings() {
    return {"票据编号",     "入库单编号", "票据类型", "开票日期", "收款日期", "作废日期", "付款人",
            "收费项目代号", "收费项目",   "金额",     "税额",     "税率",     "计入金额"};
}

std::vector<std::string> explainedLineCells(const ExplainedLine& line) {
    return {line.invoiceNumber,
            line.batch,
            line.type,
            line.issuedOn,
            line.collectedOn,
            line.voidedOn,
            line.payer,
            line.feeCode,
            line.feeName,
            formatCents(roundToCents(line.amount)),
            line.taxIsNull ? "" : formatCents(roundToCents(line.tax)),
            line.rate,
            formatCents(roundToCents(line.value))};
}

}  // namespace tally::reports::explain
