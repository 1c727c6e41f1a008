#pragma once
// Rows for purpose-built fee databases: invoices, their lines and the reference tables,
// as INSERT statements for TestDatabase::exec, and a fixture that gathers them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TestDatabase.h"

namespace tally::testing {

inline std::string sqlValue(const std::optional<std::string>& text) {
    if (!text) return "NULL";
    std::string out = "'";
    for (char c : *text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

inline std::string sqlValue(const std::optional<double>& number) { return number ? std::to_string(*number) : "NULL"; }

struct InvoiceRow {
    explicit InvoiceRow(std::string invoiceNumber) : number(std::move(invoiceNumber)) {}

    std::string number;
    std::string batch = "R1";
    std::string department = "01";
    std::string issued = "2024-03-05 09:00:00";
    std::optional<std::string> collected = "2024-03-05 10:00:00";
    std::optional<std::string> voided;
    double amount = 0;
    std::optional<std::string> method = "现金";
    std::optional<std::string> orderNumber;  // 交易订单号: set on electronic invoices
    std::optional<std::string> payer;
    std::optional<std::string> address;
    int preIssued = 0;

    InvoiceRow& inBatch(std::string v) {
        batch = std::move(v);
        return *this;
    }
    InvoiceRow& ofDepartment(std::string v) {
        department = std::move(v);
        return *this;
    }
    InvoiceRow& issuedAt(std::string v) {
        issued = std::move(v);
        return *this;
    }
    InvoiceRow& collectedAt(std::optional<std::string> v) {
        collected = std::move(v);
        return *this;
    }
    InvoiceRow& voidedAt(std::string v) {
        voided = std::move(v);
        return *this;
    }
    InvoiceRow& worth(double v) {
        amount = v;
        return *this;
    }
    InvoiceRow& paidBy(std::optional<std::string> v) {
        method = std::move(v);
        return *this;
    }
    InvoiceRow& paidOnline(std::string v) {
        orderNumber = std::move(v);
        return *this;
    }
    InvoiceRow& payerAt(std::optional<std::string> name, std::optional<std::string> where) {
        payer = std::move(name);
        address = std::move(where);
        return *this;
    }
    InvoiceRow& issuedBeforePayment() {
        preIssued = 1;
        return *this;
    }
};

inline std::string insertInvoice(const InvoiceRow& r) {
    return "INSERT INTO 票据 "
           "(票据编号,入库单编号,开票部门编号,开票日期,收款日期,作废日期,金额,收款方式,付款人,地址,预开,"
           "被换票票据编号,交易订单号) VALUES (" +
           sqlValue(r.number) + "," + sqlValue(r.batch) + "," + sqlValue(r.department) + "," + sqlValue(r.issued) +
           "," + sqlValue(r.collected) + "," + sqlValue(r.voided) + "," + std::to_string(r.amount) + "," +
           sqlValue(r.method) + "," + sqlValue(r.payer) + "," + sqlValue(r.address) + "," +
           std::to_string(r.preIssued) + ",NULL," + sqlValue(r.orderNumber) + ");";
}

inline std::string insertLine(const std::string& number, const std::string& batch, const std::string& code,
                              double amount, std::optional<double> tax) {
    return "INSERT INTO 票据开票数据 VALUES (" + sqlValue(number) + "," + sqlValue(batch) + "," + sqlValue(code) + "," +
           std::to_string(amount) + "," + sqlValue(tax) + ");";
}

// Batches R1, R2 (增值税普通发票), S1 (增值税专用发票) and Q1 (收据); a quota type that is
// never listed; the fee items P01 停车费, P02 临时停车费(月租) (parking, 9 %) and W01
// 物业管理费 (6 %); four payment methods.
inline const char* kReferenceRows = R"(
INSERT INTO 票据类型 VALUES ('01','增值税普通发票',0), ('02','增值税专用发票',0), ('03','收据',0), ('09','定额发票',1);
INSERT INTO 票据入库单 VALUES ('R1','01'), ('R2','01'), ('S1','02'), ('Q1','03'), ('D1','09');
INSERT INTO setupsfxm VALUES ('P01','停车费',0.09,'停车收费','停车费'),
                             ('P02','临时停车费(月租)',0.09,'临时停车','临时停车费'),
                             ('W01','物业管理费',0.06,'物业','物业管理费');
INSERT INTO 收款方式列表 VALUES ('现金'), ('微信支付'), ('支付宝'), ('POS刷卡');
)";

// A fee database with the reference rows; invoices and lines are gathered and written
// in one go (flush) before the next statement reads them.
class FeeDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { db.exec(kReferenceRows); }

    void invoice(const InvoiceRow& row) { pending += insertInvoice(row); }
    void line(const std::string& number, const std::string& code, double amount, std::optional<double> tax,
              const std::string& batch = "R1") {
        pending += insertLine(number, batch, code, amount, tax);
    }
    void flush() {
        if (!pending.empty()) db.exec("BEGIN;" + pending + "COMMIT;");
        pending.clear();
    }

    TestDatabase db;
    std::string pending;
};

}  // namespace tally::testing
