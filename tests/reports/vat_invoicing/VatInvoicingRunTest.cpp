#include <sqlite3.h>

#include "RecordingConnection.h"
#include "SqliteConnection.h"
#include "VatFixture.h"

namespace tally::reports::vat::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Each row as the grid draws it.
Rows drawn(const ReportResult& result) {
    Rows rows;
    for (int i = 0; i < result.rowCount(); ++i) {
        std::vector<std::string> cells;
        for (const auto& c : result.drawRow(i).cells) cells.push_back(c.text);
        rows.push_back(cells);
    }
    return rows;
}

TEST_F(VatFixture, MarkedInvoicesShowTheirMarkAndZeros) {
    invoice("V1", "RS", "2024-03-05", "2024-03-05", 120, "现金", {"W1:120:6.79"}, "作废日期='2024-03-06'");
    invoice("V2", "RS", "2024-03-06", "2024-03-06", -120, "现金", {"W1:-120:-6.79"}, "作废日期='2024-03-07'");
    invoice("X1", "RS", "2024-03-07", "2024-03-07", 50, "现金", {"W1:50:2.83"}, "被换票票据编号='OLD1'");
    invoice("X2", "RS", "2024-03-08", "2024-03-08", -50, "现金", {"W1:-50:-2.83"}, "被换票票据编号='OLD2'");
    invoice("A1", "RS", "2024-03-01", "2024-04-02", 10, "现金", {"W1:10:0.57"});  // collected after the period
    invoice("A2", "RS", "2024-03-31", "NULL", 20, "现金", {"W1:20:1.13"});        // never collected
    invoice("N1", "RS", "2024-02-20", "2024-03-10", 106, "现金", {"W1:106:6"});   // issued earlier, collected now
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    std::vector<std::string> marks, totals;
    for (const auto& row : result->rows()) marks.push_back(row.methodText);
    EXPECT_EQ(marks, (std::vector<std::string>{"现金", "预开", "作废", "负票", "换票", "换负", "预开", "", "现金"}));
    // only the normal invoice counts: 106 - 6 = 100 net, 6 tax
    const auto& total = result->rows()[7];
    EXPECT_EQ(total.dateText, "合  计");
    EXPECT_EQ(total.values, (std::vector<Cents>{10000, 600}));
    EXPECT_EQ(total.total, 10600);
    auto rows = drawn(*result);
    EXPECT_EQ(rows[2][6], "0.00");
    EXPECT_EQ(rows[2][9], "作废");
    EXPECT_EQ(rows[3][9], "负票");
    EXPECT_EQ(rows[8], (std::vector<std::string>{"9", "其中", "", "", "", "", "", "", "106.00", "现金", ""}));
}

TEST_F(VatFixture, ParkingSplitUsesTheRoundedPropertyShare) {
    invoice("P100", "RZ", "2024-03-05", "2024-03-05", 100.01, "微信支付", {"P1:100.01:null"});
    invoice("P200", "RZ", "2024-03-06", "2024-03-06", 1090, "微信支付", {"P1:1090:90"});
    auto result = run("20240301", "20240331", "33");
    ASSERT_TRUE(result);
    // developer, property, tax
    EXPECT_EQ(result->rows()[0].values, (std::vector<Cents>{6701, 3300, 0}));
    EXPECT_EQ(result->rows()[1].values, (std::vector<Cents>{67000, 33000, 9000}));
    EXPECT_EQ(result->rows()[0].specialNumber, "P100");
}

TEST_F(VatFixture, PaymentMethodRowsFollowTheListAndSkipZeroSums) {
    invoice("1", "RP", "2024-03-01", "2024-03-01", 10, "银行转账", {"W1:10:0"});
    invoice("2", "RP", "2024-03-02", "2024-03-02", 20, "现金", {"W1:20:0"});
    invoice("3", "RP", "2024-03-03", "2024-03-03", -20, "微信支付", {"W1:-20:0"});
    invoice("4", "RP", "2024-03-04", "2024-03-04", 20, "微信支付", {"W1:20:0"});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    auto rows = drawn(*result);
    ASSERT_EQ(rows.size(), 7u);  // 4 invoices, total, 现金, 银行转账 (微信支付 sums to 0)
    EXPECT_EQ(rows[4][1], "合  计");
    EXPECT_EQ(rows[4][8], "30.00");
    EXPECT_EQ((std::vector<std::string>{rows[5][1], rows[5][9], rows[5][8]}),
              (std::vector<std::string>{"其中", "现金", "20.00"}));
    EXPECT_EQ((std::vector<std::string>{rows[6][0], rows[6][1], rows[6][9], rows[6][8]}),
              (std::vector<std::string>{"7", "", "银行转账", "10.00"}));
}

TEST_F(VatFixture, RowsAreOrderedByDateThenNumberAcrossBothParts) {
    invoice("B", "RS", "2024-03-02", "2024-03-02", 5, "现金", {"W1:5:0"});
    invoice("A", "RS", "2024-03-02", "2024-03-02", 5, "现金", {"W1:5:0"}, "被换票票据编号='Z9'");
    invoice("C", "RS", "2024-03-01", "2024-03-01", 5, "现金", {"W1:5:0"}, "被换票票据编号='Z8'");
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->rows()[0].invoiceNumber, "C");
    EXPECT_EQ(result->rows()[1].invoiceNumber, "A");
    EXPECT_EQ(result->rows()[2].invoiceNumber, "B");
}

TEST_F(VatFixture, InvoicesSharingANumberInTwoBatchesKeepTheirOwnLines) {
    invoice("0001", "RS", "2024-03-02", "2024-03-02", 100, "现金", {"W1:100:0"});
    invoice("0001", "RS2", "2024-03-02", "2024-03-02", 7, "现金", {"W1:7:0"});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->rows()[0].total + result->rows()[1].total, 10700);
    EXPECT_EQ(result->rows()[2].total, 10700);
    EXPECT_EQ(result->rows()[0].receiptNumber, "0001");  // leading zeros kept
}

TEST_F(VatFixture, AnInvoiceWithoutANumberGetsNoLinesOfAnEmptyNumber) {
    // the lines of invoice '' in batch RS are not those of the invoice without a number in RS
    invoice("", "RS", "2024-03-02", "2024-03-02", 5, "现金", {"W1:5:0"});
    invoice("NULL", "RS", "2024-03-03", "2024-03-03", 9, "现金", {});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    ASSERT_GE(result->rows().size(), 2u);
    EXPECT_EQ(result->rows()[0].dateText, "2024-03-02");
    EXPECT_EQ(result->rows()[1].dateText, "合  计");  // the invoice without a number has no row
    EXPECT_EQ(result->rows()[1].total, 500);
}

TEST_F(VatFixture, AnInvoiceStoredTwiceSumsItsLinesOnceForEachCopy) {
    // The two copies lie apart in issue order, so the invoice's lines come in two runs;
    // each line joins both copies, as the invoices' own statements join them.
    invoice("X", "RS", "2024-03-02", "2024-03-02", 5, "现金", {"W1:3:0", "W1:2:0.5"});
    invoice("Y", "RS", "2024-03-10", "2024-03-10", 1, "现金", {"W1:1:0"});
    invoice("X", "RS", "2024-03-20", "2024-03-20", 5, "现金", {});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    ASSERT_GE(result->rows().size(), 4u);
    const auto& rows = result->rows();
    EXPECT_EQ((std::vector<std::string>{rows[0].invoiceNumber, rows[1].invoiceNumber, rows[2].invoiceNumber}),
              (std::vector<std::string>{"X", "Y", "X"}));
    EXPECT_EQ(rows[0].values, (std::vector<Cents>{900, 100}));
    EXPECT_EQ(rows[2].values, rows[0].values);
    EXPECT_EQ(rows[1].values, (std::vector<Cents>{100, 0}));
    EXPECT_EQ(rows[3].total, 2100);
}

// On the embedded engine the run reads the invoices while a second handle reads their
// lines; read one after the other, as through ODBC, the rows must be the same.
TEST_F(VatFixture, LinesReadBesideTheInvoicesGiveTheRowsOfReadingThemInTurn) {
    invoice("N1", "RS", "2024-03-02", "2024-03-02", 106, "现金", {"W1:100:6", "S1:5:0.4"});
    invoice("P1", "RZ", "2024-03-03", "2024-03-03", 1090, "微信支付", {"P1:1000:90", "P1:90.01:null"});
    invoice("X1", "RS", "2024-03-04", "2024-03-04", 50, "现金", {"W1:50:2.83"}, "被换票票据编号='OLD1'");
    invoice("V1", "RS", "2024-03-05", "2024-03-05", 20, "现金", {"W1:20:1"}, "作废日期='2024-03-06'");
    invoice("A1", "RS", "2024-03-06", "NULL", 30, "现金", {"W1:30:1"});
    invoice("T1", "RS", "2024-03-07", "2024-03-07", 5, "现金", {"W1:3:0"});
    invoice("T1", "RS", "2024-03-21", "2024-03-21", 5, "现金", {"S1:2:0"});
    invoice("E1", "RE", "2024-02-20", "2024-03-08", 7, "银行转账", {"S1:7:0.5"});
    invoice("Q1", "RP", "2024-03-09", "2024-03-09", 9, "现金", {});
    auto together = run("20240301", "20240331", "25");
    ASSERT_TRUE(together);
    ASSERT_NE(db.connect()->sibling(), nullptr) << "the run above read on two handles";

    // a connection with no second handle, as through ODBC
    tally::testing::RecordingConnection inTurn(db.connect());
    ASSERT_EQ(inTurn.sibling(), nullptr);
    auto splits = defaultSplitRows(items);
    for (auto& s : splits) s.propertyText = "25";
    auto outcome = VatInvoicingReport().run(inTurn, request("20240301", "20240331"), items, splits);
    ASSERT_TRUE(outcome.ok()) << outcome.error().messageText();
    EXPECT_EQ(drawn(*outcome.value()), drawn(*together));
    EXPECT_EQ(together->rows().size(), 12u) << "8 invoice rows (T1 twice), the total, 3 payment methods";
}

// Refuses every read of the invoices' lines, as a server refuses a table to a login.
int refuseLines(void*, int action, const char* table, const char*, const char*, const char*) {
    return action == SQLITE_READ && table && std::string(table) == "票据开票数据" ? SQLITE_DENY : SQLITE_OK;
}

TEST_F(VatFixture, AStatementFailingOnTheSecondHandleIsTheRunsError) {
    invoice("N1", "RS", "2024-03-02", "2024-03-02", 106, "现金", {"W1:100:6"});
    ASSERT_TRUE(run("20240301", "20240331"));
    data::SqliteConnection refusing(db.path(),
                                    [](sqlite3* handle) { sqlite3_set_authorizer(handle, refuseLines, nullptr); });
    ASSERT_NE(refusing.sibling(), nullptr);
    auto outcome = VatInvoicingReport().run(refusing, request("20240301", "20240331"), items, defaultSplitRows(items));
    ASSERT_FALSE(outcome.ok());
    EXPECT_NE(outcome.error().description.find("prohibited"), std::string::npos) << outcome.error().description;
    // both handles are free for the next statement
    EXPECT_EQ(refusing.open("Select count(*) From 票据")->field(0).number(), 1);
    EXPECT_EQ(refusing.sibling()->open("Select count(*) From 票据")->field(0).number(), 1);
}

TEST_F(VatFixture, NumbersGoToTheColumnOfTheirInvoiceType) {
    invoice("Z1", "RZ", "2024-03-01", "2024-03-01", 1, "现金", {"W1:1:0"});
    invoice("P1", "RP", "2024-03-02", "2024-03-02", 1, "现金", {"W1:1:0"});
    invoice("E1", "RE", "2024-03-03", "2024-03-03", 1, "现金", {"W1:1:0"});
    invoice("S1", "RS", "2024-03-04", "2024-03-04", 1, "现金", {"W1:1:0"});
    invoice("D1", "RD", "2024-03-05", "2024-03-05", 1, "现金", {"W1:1:0"});  // 定额 1: not reported
    auto rows = drawn(*run("20240301", "20240331"));
    EXPECT_EQ((std::vector<std::string>{rows[0][2], rows[1][3], rows[2][4], rows[3][5]}),
              (std::vector<std::string>{"Z1", "P1", "E1", "S1"}));
    EXPECT_EQ(rows[4][1], "合  计");
}

TEST_F(VatFixture, NothingInThePeriodIsNotFound) {
    invoice("1", "RS", "2024-01-02", "2024-01-02", 5, "现金", {"W1:5:0"});
    auto connection = db.connect();
    VatInvoicingReport report;
    auto extraction = report.extractFeeItems(*connection, request("20240301", "20240331"));
    EXPECT_TRUE(extraction.items.empty());
    auto outcome = report.run(*connection, request("20240301", "20240331"),
                              {{"W1", "物业费住宅", 0.06, "物业", "物业费住宅税额"}}, {});
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.value()->rowCount(), 0);
}

TEST_F(VatFixture, ANonNumericPropertyPercentageRefusesTheRun) {
    invoice("P1", "RZ", "2024-03-05", "2024-03-05", 100, "现金", {"P1:100:0"});
    auto connection = db.connect();
    VatInvoicingReport report;
    auto extraction = report.extractFeeItems(*connection, request("20240301", "20240331"));
    auto splits = defaultSplitRows(extraction.items);
    splits[0].propertyText = "30) as x --";
    auto outcome = report.run(*connection, request("20240301", "20240331"), extraction.items, splits);
    ASSERT_FALSE(outcome.ok());
    EXPECT_TRUE(outcome.error().refusedSelection);
    EXPECT_NE(outcome.error().description.find("停车费月租"), std::string::npos);
}

TEST_F(VatFixture, DatabaseErrorsComeBackAsValues) {
    invoice("1", "RS", "2024-03-02", "2024-03-02", 5, "现金", {"W1:5:0"});
    auto connection = db.connect();
    db.exec("DROP TABLE 收款方式列表");
    VatInvoicingReport report;
    auto extraction = report.extractFeeItems(*connection, request("20240301", "20240331"));
    auto outcome = report.run(*connection, request("20240301", "20240331"), extraction.items, {});
    ASSERT_FALSE(outcome.ok());
    EXPECT_FALSE(outcome.error().refusedSelection);
    EXPECT_NE(outcome.error().messageText().find("收款方式列表"), std::string::npos);
}

}  // namespace
}  // namespace tally::reports::vat::testing
