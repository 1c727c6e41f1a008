#pragma once
// A small office with one department and hand-checkable invoices for the VAT invoicing tests.
#include <gtest/gtest.h>

#include "DatabaseTest.h"
#include "OfficeRows.h"
#include "VatInvoicingReport.h"

namespace tally::reports::vat::testing {

// Every VAT type, a quota type and three fee items; the invoices come with each case.
inline const std::string kVatReferenceRows = tally::testing::kCuihuOffice + R"(
    INSERT INTO 票据类型 VALUES ('Z','增值税专用发票',0), ('P','增值税普通发票',0), ('E','电子发票',0),
                               ('S','收据',0), ('D','定额发票',1);
    INSERT INTO 票据入库单 VALUES ('RZ','Z'), ('RP','P'), ('RE','E'), ('RS','S'), ('RS2','S'), ('RD','D');
    INSERT INTO setupsfxm VALUES ('W1','物业费(住宅)',0.06,'物业','物业'), ('P1','停车费(月租)',0.09,'停车收费','停车'),
                                 ('S1','水费',0.09,'水费','水');
    INSERT INTO 收款方式列表 VALUES ('现金'), ('微信支付'), ('银行转账');
)";

class VatFixture : public tally::testing::DatabaseTest {
protected:
    VatFixture() : DatabaseTest(kVatReferenceRows) {}

    // One invoice of department 01 with its lines ("code:amount:tax", tax "null" for Null).
    void invoice(const std::string& number, const std::string& batch, const std::string& issued,
                 const std::string& collected, double amount, const std::string& method,
                 std::initializer_list<std::string> lines, const std::string& extra = "") {
        auto q = [](const std::string& s) { return s == "NULL" ? s : "'" + s + "'"; };
        db.exec(
            "INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额,收款方式,付款人,地址,预开) "
            "VALUES (" +
            q(number) + "," + q(batch) + ",'01'," + q(issued) + "," + q(collected) + "," + std::to_string(amount) +
            "," + q(method) + ",'付款人" + number + "',NULL,0)");
        if (!extra.empty())
            db.exec("UPDATE 票据 SET " + extra + " WHERE 票据编号=" + q(number) + " AND 入库单编号=" + q(batch));
        for (const auto& line : lines) {
            auto a = line.find(':'), b = line.rfind(':');
            db.exec("INSERT INTO 票据开票数据 VALUES (" + q(number) + "," + q(batch) + ",'" + line.substr(0, a) + "'," +
                    line.substr(a + 1, b - a - 1) + "," + line.substr(b + 1) + ")");
        }
    }

    ReportRequest request(const std::string& from, const std::string& to) {
        return {{"01", "GL01", "翠湖管理处"}, from, to, "'E','P','S','Z'"};
    }

    // Extracts, applies the given property percentage to every parking row, runs.
    std::shared_ptr<const VatInvoicingResult> run(const std::string& from, const std::string& to,
                                                  const std::string& property = "30") {
        auto connection = db.connect();
        VatInvoicingReport report;
        auto extraction = report.extractFeeItems(*connection, request(from, to));
        EXPECT_FALSE(extraction.error.has_value());
        items = extraction.items;
        auto splits = defaultSplitRows(items);
        for (auto& s : splits) s.propertyText = property;
        auto outcome = report.run(*connection, request(from, to), items, splits);
        EXPECT_TRUE(outcome.ok()) << (outcome.ok() ? "" : outcome.error().messageText());
        if (!outcome.ok()) return nullptr;
        return std::dynamic_pointer_cast<const VatInvoicingResult>(outcome.value());
    }

    FeeItemList items;
};

}  // namespace tally::reports::vat::testing
