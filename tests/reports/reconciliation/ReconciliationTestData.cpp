#include "ReconciliationTestData.h"

#include <cstdio>

namespace tally::testing {
namespace {

std::string sqlLiteral(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

std::string number(std::optional<double> v) {
    if (!v) return "NULL";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", *v);
    return buf;
}

}  // namespace

ReconciliationDatabase::ReconciliationDatabase(bool withReceiptType) {
    exec(
        "INSERT INTO 票据类型 VALUES ('01','增值税专用发票',0), ('02','增值税普通发票(电子)',0), "
        "('04','机打发票',0), ('09','定额发票',1), ('05','收据(旧)',0);"
        "INSERT INTO 票据入库单 VALUES ('R01','01'), ('R02','02'), ('R03','03'), ('R04','04'), ('R09','09');");
    if (withReceiptType) exec("INSERT INTO 票据类型 VALUES ('03','收据',0)");
}

void ReconciliationDatabase::item(const std::string& code, const std::string& name, std::optional<double> rate,
                                  const std::string& office) {
    exec("INSERT INTO setupsfxm VALUES (" + sqlLiteral(code) + "," + sqlLiteral(name) + ",NULL,'一般','" + name + "')");
    setting(code, rate, office);
}

void ReconciliationDatabase::setting(const std::string& code, std::optional<double> rate, const std::string& office) {
    exec("INSERT INTO 税控盘收费项目设置 VALUES (" + sqlLiteral(code) + "," + number(rate) + "," + sqlLiteral(office) +
         ")");
}

void ReconciliationDatabase::ticket(const std::string& type, const std::string& invoiced,
                                    std::optional<std::string> collected, const std::string& code, double amount,
                                    double tax, const std::string& department, bool voided) {
    std::string no = "T" + std::to_string(++tickets_);
    std::string store = "R" + type;
    exec("INSERT INTO 票据 (票据编号, 入库单编号, 开票部门编号, 开票日期, 收款日期, 作废日期, 金额) VALUES (" +
         sqlLiteral(no) + "," + sqlLiteral(store) + "," + sqlLiteral(department) + "," +
         sqlLiteral(invoiced + " 10:30:00") + "," + (collected ? sqlLiteral(*collected + " 16:00:00") : "NULL") + "," +
         (voided ? "'2024-12-31'" : "NULL") + "," + number(amount) + ");" + "INSERT INTO 票据开票数据 VALUES (" +
         sqlLiteral(no) + "," + sqlLiteral(store) + "," + sqlLiteral(code) + "," + number(amount) + "," + number(tax) +
         ")");
}

reports::reconciliation::ReconciliationSelection selectionFor(const std::string& startMonth,
                                                              const std::string& endMonth) {
    return {"2024", startMonth, endMonth, {"D1", "GL1", "一号管理处"}};
}

FailingConnection::FailingConnection(std::unique_ptr<data::Connection> inner,
                                     std::function<bool(std::string_view)> fails, data::DbError error)
    : inner_(std::move(inner)), fails_(std::move(fails)), error_(std::move(error)) {}

std::unique_ptr<data::Recordset> FailingConnection::execute(std::string_view sql, int timeoutSeconds) {
    statements.emplace_back(sql);
    timeouts.push_back(timeoutSeconds);
    if (fails_(sql)) throw error_;
    return inner_->open(sql, timeoutSeconds);
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace tally::testing
