// With a 维修基金 item the VAT invoicing report lists line by line: row k of an invoice
// holds the k-th line of each item that has one, so that every line is counted once and
// the totals equal the per-invoice run's.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "DemoDatabase.h"
#include "ScratchFolder.h"
#include "SqliteConnection.h"
#include "VatFixture.h"

using namespace tally::reports;
using namespace tally::reports::vat;
using namespace tally::reports::vat::testing;

namespace {

class VatLineDetail : public VatFixture {
protected:
    void SetUp() override { db.exec("INSERT INTO setupsfxm VALUES ('M1','维修基金',0,'基金','基金')"); }

    std::vector<InvoiceDetailRow> invoiceRows(const std::shared_ptr<const VatInvoicingResult>& result) {
        std::vector<InvoiceDetailRow> rows;
        for (const auto& row : result->rows())
            if (row.kind == RowKind::Invoice) rows.push_back(row);
        return rows;
    }

    // Items in code order: M1 (fund) then W1 (property), each net and tax.
    static constexpr int kFund = 0, kProperty = 2;
};

TEST_F(VatLineDetail, AnInvoiceWithOneLineOfEachItemGivesOneRow) {
    invoice("L1", "RS", "2024-03-02", "2024-03-02", 150, "现金", {"M1:100:0", "W1:50:3"});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    ASSERT_TRUE(HasMaintenanceFund(items));
    auto rows = invoiceRows(result);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].values, (std::vector<Cents>{10000, 0, 4700, 300}));
    EXPECT_EQ(rows[0].total, 15000);
    EXPECT_EQ(rows[0].methodText, "现金");
}

TEST_F(VatLineDetail, TwoLinesOfOneItemAndThreeOfAnotherGiveThreeRowsEachLineOnce) {
    invoice("L1", "RS", "2024-03-02", "2024-03-02", 500, "现金",
            {"M1:200:0", "W1:90:0", "M1:100:0", "W1:50:0", "W1:60:0"});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    auto rows = invoiceRows(result);
    ASSERT_EQ(rows.size(), 3u);
    // the lines of an item by amount; the fund has no third line
    EXPECT_EQ((std::vector<Cents>{rows[0].values[kFund], rows[1].values[kFund], rows[2].values[kFund]}),
              (std::vector<Cents>{10000, 20000, 0}));
    EXPECT_EQ((std::vector<Cents>{rows[0].values[kProperty], rows[1].values[kProperty], rows[2].values[kProperty]}),
              (std::vector<Cents>{5000, 6000, 9000}));
    for (const auto& row : rows) {
        EXPECT_EQ(row.specialNumber + row.ordinaryNumber + row.electronicNumber + row.receiptNumber, "L1");
        EXPECT_EQ(row.methodText, "现金");
    }
    const auto& all = result->rows();
    ASSERT_EQ(all.size(), 3u + 2u);  // the rows, 合计 and 现金
    EXPECT_EQ(all[3].kind, RowKind::GrandTotal);
    EXPECT_EQ(all[3].total, 50000);
    EXPECT_EQ(all[3].values[kFund], 30000);
    EXPECT_EQ(all[3].values[kProperty], 20000);
    EXPECT_EQ(all[4].methodText, "现金");
    EXPECT_EQ(all[4].total, 50000);
}

TEST_F(VatLineDetail, ParkingSharesOfAnInvoiceAddUpToItsRoundedShare) {
    // 30 % of 1.15 is 0.345 and rounds to 0.35 on its own, but of 2.30 it is 0.69
    invoice("L1", "RS", "2024-03-02", "2024-03-02", 2.3, "现金", {"M1:0:0", "P1:1.15:0", "P1:1.15:0"});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    auto rows = invoiceRows(result);
    ASSERT_EQ(rows.size(), 2u);
    constexpr int kDeveloper = 2, kPropertyShare = 3;
    EXPECT_EQ(rows[0].values[kPropertyShare] + rows[1].values[kPropertyShare], 69);
    EXPECT_EQ(rows[0].values[kDeveloper] + rows[1].values[kDeveloper], 161);
    EXPECT_EQ(rows[0].values[kPropertyShare], 35);  // the first line keeps its own rounding
    for (const auto& row : rows) EXPECT_EQ(row.values[kDeveloper] + row.values[kPropertyShare], 115);
}

TEST_F(VatLineDetail, InvoicesSharingANumberInTwoBatchesKeepTheirOwnLines) {
    invoice("L1", "RS", "2024-03-02", "2024-03-02", 300, "现金", {"M1:100:0", "M1:200:0"});
    invoice("L1", "RS2", "2024-03-02", "2024-03-02", 7, "微信支付", {"W1:7:0"});
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    auto rows = invoiceRows(result);
    ASSERT_EQ(rows.size(), 3u);
    Cents fund = 0, property = 0;
    int wechat = 0;
    for (const auto& row : rows) {
        fund += row.values[kFund];
        property += row.values[kProperty];
        if (row.methodText == "微信支付") {
            ++wechat;
            EXPECT_EQ(row.values[kFund], 0);
            EXPECT_EQ(row.values[kProperty], 700);
        }
    }
    EXPECT_EQ(wechat, 1);
    EXPECT_EQ(fund, 30000);
    EXPECT_EQ(property, 700);
}

TEST_F(VatLineDetail, VoidedAndExchangeInvoicesAreMarkedOnEachOfTheirRows) {
    invoice("V1", "RS", "2024-03-02", "2024-03-02", 300, "现金", {"M1:100:0", "M1:200:0"}, "作废日期='2024-03-03'");
    invoice("X1", "RS", "2024-03-04", "2024-03-04", -300, "现金", {"M1:-100:0", "M1:-200:0"}, "被换票票据编号='V1'");
    auto result = run("20240301", "20240331");
    ASSERT_TRUE(result);
    auto rows = invoiceRows(result);
    ASSERT_EQ(rows.size(), 4u);
    for (int i : {0, 1}) {
        EXPECT_EQ(rows[i].methodText, "作废");
        EXPECT_EQ(rows[i].total, 0);
    }
    for (int i : {2, 3}) {
        EXPECT_EQ(rows[i].methodText, "换负");
        EXPECT_EQ(rows[i].total, 0);
    }
}

// Over generated offices: the line-by-line run's 合计 and payment-method rows equal the
// per-invoice run's on the same selection, column by column.
TEST(VatLineDetailTotals, EqualThePerInvoiceRunsOnGeneratedOffices) {
    tally::testing::ScratchFolder folder;
    // a new seed each run, named on failure; TALLY_EQUIVALENCE_SEED replays one
    std::uint64_t seed = std::random_device{}();
    if (const char* given = std::getenv("TALLY_EQUIVALENCE_SEED")) seed = std::stoull(given);
    SCOPED_TRACE("TALLY_EQUIVALENCE_SEED=" + std::to_string(seed));
    std::mt19937_64 random(seed);
    int compared = 0;
    for (int database = 0; database < 4; ++database) {
        tally::demo::DemoOptions options;
        options.seed = random();
        options.invoicesPerYear = 300 + random() % 700;
        options.years = 1 + random() % 2;
        options.firstYear = 2024;
        const std::string path = (folder / ("office" + std::to_string(database) + ".sqlite")).string();
        tally::demo::generateDemoDatabase(path, options);
        tally::data::SqliteConnection connection(path);
        const auto departments = LoadDepartmentList(connection).entries;
        const std::string types = LoadInvoiceTypeList(connection).value();
        for (int selection = 0; selection < 6; ++selection) {
            const auto& department = departments[random() % departments.size()];
            const int year = options.firstYear + int(random() % options.years);
            const int firstMonth = 1 + int(random() % 12), lastMonth = firstMonth + int(random() % (13 - firstMonth));
            char from[9], to[9];
            std::snprintf(from, sizeof from, "%04d%02d01", year, firstMonth);
            std::snprintf(to, sizeof to, "%04d%02d28", year, lastMonth);
            ReportRequest request{department, from, to, types};
            SCOPED_TRACE("database seed " + std::to_string(options.seed) + ", department " + department.departmentCode +
                         ", " + from + "-" + to);
            VatInvoicingReport report;
            auto extraction = report.extractFeeItems(connection, request);
            ASSERT_FALSE(extraction.error);
            if (!HasMaintenanceFund(extraction.items)) continue;
            auto splits = defaultSplitRows(extraction.items);
            for (auto& split : splits) split.propertyText = std::to_string(random() % 101);
            auto byLine = RunVatInvoicing(connection, request, extraction.items, splits, VatRowForm::LineByLine);
            auto byInvoice = RunVatInvoicing(connection, request, extraction.items, splits, VatRowForm::PerInvoice);
            ASSERT_TRUE(byLine.ok() && byInvoice.ok());
            auto lines = std::dynamic_pointer_cast<const VatInvoicingResult>(byLine.value())->rows();
            auto invoices = std::dynamic_pointer_cast<const VatInvoicingResult>(byInvoice.value())->rows();
            auto totalsOf = [](const std::vector<InvoiceDetailRow>& rows) {
                std::vector<InvoiceDetailRow> totals;
                for (const auto& row : rows)
                    if (row.kind != RowKind::Invoice) totals.push_back(row);
                return totals;
            };
            auto lineTotals = totalsOf(lines), invoiceTotals = totalsOf(invoices);
            ASSERT_EQ(lineTotals.size(), invoiceTotals.size());
            for (std::size_t i = 0; i < lineTotals.size(); ++i) {
                EXPECT_EQ(lineTotals[i].methodText, invoiceTotals[i].methodText);
                EXPECT_EQ(lineTotals[i].values, invoiceTotals[i].values);
                EXPECT_EQ(lineTotals[i].total, invoiceTotals[i].total);
            }
            EXPECT_GE(lines.size(), invoices.size());
            ++compared;
        }
    }
    EXPECT_GT(compared, 0) << "no selection had a 维修基金 item";
}

}  // namespace
