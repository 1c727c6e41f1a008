#include "InvoiceFacts.h"

namespace tally::testing::explain {
namespace {

std::string literal(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

}  // namespace

std::optional<InvoiceFacts> readInvoiceFacts(data::Connection& connection, const std::string& number,
                                             const std::string& batch, const std::string& feeCode) {
    auto rs = connection.open(
        "SELECT i.开票部门编号, i.开票日期, i.收款日期, i.作废日期, t.票据类型, t.定额, i.收款方式, i.被换票票据编号"
        " FROM 票据 i JOIN 票据入库单 b ON b.入库单编号 = i.入库单编号"
        " JOIN 票据类型 t ON t.票据类型代号 = b.票据类型编号"
        " WHERE i.票据编号 = " +
        literal(number) + " AND i.入库单编号 = " + literal(batch));
    if (rs->eof()) return std::nullopt;
    InvoiceFacts facts;
    facts.department = rs->field(0).text();
    auto issued = rs->field(1).date();
    if (issued) {
        facts.issuedMonth = issued->monthKey();
        facts.issuedDay = issued->dayKey();
    }
    if (auto collected = rs->field(2).date()) {
        facts.collectedMonth = collected->monthKey();
        facts.collectedDay = collected->dayKey();
    }
    facts.voided = !rs->field(3).isNull();
    facts.typeName = rs->field(4).text();
    facts.fixedAmount = rs->field(5).number();
    facts.paymentMethod = rs->field(6).text();
    if (!rs->field(7).isNull()) facts.exchangedFrom = rs->field(7).text();
    auto lines = connection.open("SELECT 金额, 税额 FROM 票据开票数据 WHERE 票据编号 = " + literal(number) +
                                 " AND 入库单编号 = " + literal(batch) + " AND 收费项目代号 = " + literal(feeCode));
    for (; !lines->eof(); lines->moveNext())
        facts.linesOfCode.emplace_back(lines->field(0).number(), lines->field(1).isNull()
                                                                     ? std::nullopt
                                                                     : std::optional<double>(lines->field(1).number()));
    return facts;
}

std::vector<std::optional<double>> settingsRates(data::Connection& connection, const std::string& officeCode,
                                                 const std::string& feeCode) {
    std::vector<std::optional<double>> rates;
    auto rs = connection.open("SELECT 税率 FROM 税控盘收费项目设置 WHERE DH = " + literal(feeCode) +
                              " AND 管理处 = " + literal(officeCode));
    for (; !rs->eof(); rs->moveNext())
        rates.push_back(rs->field(0).isNull() ? std::nullopt : std::optional<double>(rs->field(0).number()));
    return rates;
}

}  // namespace tally::testing::explain
