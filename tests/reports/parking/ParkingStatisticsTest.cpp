#include <gtest/gtest.h>

#include "Paging.h"
#include "ParkingPage.h"
#include "ParkingReport.h"
#include "SplitStatisticsTest.h"

using namespace tally;
using namespace tally::reports;
using namespace tally::reports::parking;
using namespace tally::testing;

namespace {

class ParkingRun : public SplitStatisticsTest<ParkingRow, ExtractParkingFeeItems, RunParkingStatistics> {
protected:
    ReportRequest request(std::string from = "20240301", std::string to = "20240331") const {
        return {{"01", "G01", "一管理处"}, std::move(from), std::move(to), "'01','02','03'"};
    }

    std::vector<ParkingRow> run(const PropertyTexts& propertyTexts = {}) { return runWith(request(), propertyTexts); }
};

}  // namespace

TEST_F(ParkingRun, ThreeInvoicesOfOneBatchAndMomentShareOneRow) {
    const std::string moment = "2024-03-10 08:30:00";
    invoice(InvoiceRow("A001").collectedAt(moment).worth(109).paidBy("现金"));
    invoice(InvoiceRow("A002").collectedAt(moment).worth(54.5).paidBy("微信支付"));
    invoice(InvoiceRow("A003").collectedAt(moment).worth(21.8).paidBy("支付宝").paidOnline("T9"));
    invoice(InvoiceRow("A004").collectedAt("2024-03-10 09:00:00").worth(10.9));
    invoice(InvoiceRow("A005").inBatch("R2").collectedAt(moment).worth(10.9));
    line("A001", "P01", 109, 9);
    line("A002", "P01", 54.5, 4.5);
    line("A003", "P01", 21.8, 1.8);
    line("A004", "P01", 10.9, 0.9);
    line("A005", "P01", 10.9, 0.9, "R2");

    auto rows = run();
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0].label, "A001 - A003");
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"119.00", "51.00", "15.30"}));
    EXPECT_EQ(formatCents(rows[0].total), "185.30");
    EXPECT_EQ(rows[0].kindText(), "电子");
    EXPECT_EQ(rows[0].paymentMethod, "现金");
    EXPECT_EQ(rows[1].label, "A005");  // same moment, other batch
    EXPECT_EQ(rows[2].label, "A004");  // same batch, other moment
    EXPECT_EQ(rows[3].label, "合计");
    EXPECT_EQ(formatCents(rows[3].total), "207.10");
}

TEST_F(ParkingRun, PropertyShareIsRoundedAndTheDeveloperGetsTheRest) {
    invoice(InvoiceRow("A001").collectedAt("2024-03-01 08:00:00").worth(100));
    invoice(InvoiceRow("A002").collectedAt("2024-03-02 08:00:00").worth(33.33));
    line("A001", "P01", 100, 0);
    line("A002", "P01", 33.33, 0);

    auto thirty = run({{"P01", "30"}});
    ASSERT_GE(thirty.size(), 2u);
    EXPECT_EQ(amountTexts(thirty[0]), (Texts{"70.00", "30.00", "0.00"}));
    EXPECT_EQ(amountTexts(thirty[1]), (Texts{"23.33", "10.00", "0.00"}));

    auto third = run({{"P01", "33.3"}});
    ASSERT_GE(third.size(), 2u);
    EXPECT_EQ(amountTexts(third[0]), (Texts{"66.70", "33.30", "0.00"}));
    EXPECT_EQ(amountTexts(third[1]), (Texts{"22.23", "11.10", "0.00"}));  // 33.33 * 0.333 = 11.09889
}

TEST_F(ParkingRun, NullTaxCountsTheWholeAmountAsNetAndMissingItemsShowZeros) {
    invoice(InvoiceRow("A001").collectedAt("2024-03-01 08:00:00").worth(100));
    invoice(InvoiceRow("A002").collectedAt("2024-03-02 08:00:00").worth(50));
    line("A001", "P01", 100, std::nullopt);
    line("A002", "P02", 54.5, 4.5);

    auto rows = run();
    ASSERT_EQ(items.size(), 2u);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"70.00", "30.00", "0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(amountTexts(rows[1]), (Texts{"0.00", "0.00", "0.00", "35.00", "15.00", "4.50"}));
    EXPECT_EQ(formatCents(rows[1].total), "54.50");
}

TEST_F(ParkingRun, OnlyLinesCollectedInThePeriodByTheDepartmentCount) {
    // Issued in March but collected in April: the item is extracted, the invoice is not listed.
    invoice(InvoiceRow("A001").issuedAt("2024-03-05 09:00:00").collectedAt("2024-04-01 08:00:00").worth(100));
    invoice(InvoiceRow("A002").voidedAt("2024-03-06 00:00:00").worth(100));
    invoice(InvoiceRow("A003").ofDepartment("02").worth(100));
    line("A001", "P01", 100, 0);
    line("A002", "P01", 100, 0);
    line("A003", "P01", 100, 0);
    EXPECT_TRUE(run().empty());

    // Issued in February, collected on the period's last day: listed.
    invoice(InvoiceRow("B001").issuedAt("2024-02-28 09:00:00").collectedAt("2024-03-31 23:59:59").worth(10));
    line("B001", "P01", 10, 0);
    auto rows = run();
    ASSERT_EQ(rows.size(), 3u);  // detail, 合计, 其中 现金
    EXPECT_EQ(rows[0].label, "B001");
}

TEST_F(ParkingRun, PaymentMethodRowsCountWeChatAsWeChatPay) {
    invoice(InvoiceRow("A001").collectedAt("2024-03-01 08:00:00").worth(100).paidBy(" 现金 "));
    invoice(InvoiceRow("A002").collectedAt("2024-03-02 08:00:00").worth(50).paidBy("微信"));
    invoice(InvoiceRow("A003").collectedAt("2024-03-03 08:00:00").worth(20).paidBy("微信支付"));
    invoice(InvoiceRow("A004").collectedAt("2024-03-04 08:00:00").worth(7).paidBy("转账"));
    line("A001", "P01", 100, 0);
    line("A002", "P01", 50, 0);
    line("A003", "P01", 20, 0);
    line("A004", "P01", 7, 0);

    auto rows = run();
    ASSERT_EQ(rows.size(), 7u);  // four details, 合计, 现金, 微信支付 (支付宝 and POS刷卡 sum to 0)
    EXPECT_EQ(rows[0].paymentMethod, "现金");
    ParkingResult result(rows, 3);
    EXPECT_EQ(cellTexts(result.drawRow(4)), (Texts{"5", "合计", "", "", "", "", "177.00"}));
    EXPECT_EQ(cellTexts(result.drawRow(5)), (Texts{"6", "其中", "", "", "", "现金", "100.00"}));
    EXPECT_EQ(cellTexts(result.drawRow(6)), (Texts{"7", "", "", "", "", "微信支付", "70.00"}));
    EXPECT_EQ(result.drawRow(6).cells[5].align, CellAlign::Right);
}

TEST_F(ParkingRun, PaperNumbersGoUnder发票号AndElectronicOnesUnder电子发票号) {
    invoice(InvoiceRow("0001").collectedAt("2024-03-01 08:00:00").worth(10.9));
    invoice(InvoiceRow("E002").collectedAt("2024-03-02 08:00:00").worth(21.8).paidOnline("WX123"));
    line("0001", "P01", 10.9, 0.9);
    line("E002", "P01", 21.8, 1.8);

    ParkingResult result(run(), 3);
    EXPECT_EQ(cellTexts(result.drawRow(0)), (Texts{"1", "0001", "", "7.00", "3.00", "0.90", "10.90"}));
    EXPECT_EQ(cellTexts(result.drawRow(1)), (Texts{"2", "", "E002", "14.00", "6.00", "1.80", "21.80"}));
    EXPECT_EQ(result.drawRow(1).cells[2].align, CellAlign::Centre);
    EXPECT_EQ(result.columnCount(), 7);
}

TEST_F(ParkingRun, InvoicesSharingANumberInDifferentBatchesKeepTheirOwnLines) {
    invoice(InvoiceRow("A001").inBatch("R1").collectedAt("2024-03-01 08:00:00").worth(100));
    invoice(InvoiceRow("A001").inBatch("R2").collectedAt("2024-03-02 08:00:00").worth(10));
    line("A001", "P01", 100, 0, "R1");
    line("A001", "P01", 10, 0, "R2");

    auto rows = run();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"70.00", "30.00", "0.00"}));
    EXPECT_EQ(amountTexts(rows[1]), (Texts{"7.00", "3.00", "0.00"}));
    EXPECT_EQ(formatCents(rows[2].total), "110.00");
}

TEST_F(ParkingRun, GrandTotalAndMethodRowsCountForPaging) {
    for (int i = 1; i <= 10; ++i) {
        const std::string number = "A" + std::to_string(100 + i);
        invoice(InvoiceRow(number).collectedAt("2024-03-" + std::to_string(10 + i) + " 08:00:00").worth(1));
        line(number, "P01", 1, 0);
    }
    ParkingResult result(run(), 3);
    ASSERT_EQ(result.rowCount(), 12);
    EXPECT_EQ(cellTexts(result.drawRow(10))[0], "11");
    EXPECT_EQ(cellTexts(result.drawRow(10))[1], "合计");
    EXPECT_EQ(cellTexts(result.drawRow(11))[0], "12");
    EXPECT_EQ(cellTexts(result.drawRow(11))[1], "其中");
    EXPECT_EQ(pageCountFor(result.rowCount(), 5), 3);
    EXPECT_EQ(pageCountFor(result.rowCount(), 12), 1);
}

TEST_F(ParkingRun, ItemsWithEqualOrUnusualNamesStillRun) {
    db.exec(
        "INSERT INTO setupsfxm VALUES ('P03','停车费',0.09,'停车收费','x'), ('P04','车位 费-[B]',0.09,'停车','y');");
    invoice(InvoiceRow("A001").collectedAt("2024-03-01 08:00:00").worth(60));
    line("A001", "P01", 10, 0);
    line("A001", "P03", 20, 0);
    line("A001", "P04", 30, 0);

    auto rows = run();
    ASSERT_EQ(items.size(), 3u);
    ASSERT_GE(rows.size(), 1u);
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"7.00", "3.00", "0.00", "14.00", "6.00", "0.00", "21.00", "9.00", "0.00"}));
}

TEST_F(ParkingRun, ExtractionReadsParkingItemsOfInvoicesIssuedInThePeriod) {
    invoice(InvoiceRow("A001").issuedAt("2024-02-29 09:00:00").collectedAt("2024-03-02 08:00:00"));
    invoice(InvoiceRow("A002").issuedAt("2024-03-31 09:00:00").collectedAt(std::nullopt));
    invoice(InvoiceRow("A003").issuedAt("2024-03-15 09:00:00").voidedAt("2024-03-16 09:00:00"));
    line("A001", "P01", 10, 0);
    line("A002", "P02", 10, 0);
    line("A002", "W01", 10, 0);
    line("A003", "P01", 10, 0);

    auto found = extract(request());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].code, "P02");
    EXPECT_EQ(found[0].cleanedName, "临时停车费月租");
    EXPECT_DOUBLE_EQ(found[0].taxRate, 0.09);
    EXPECT_TRUE(extract(request("20240401", "20240430")).empty());
}

TEST_F(ParkingRun, APercentageThatIsNoNumberIsRefusedBeforeAnyStatement) {
    expectRefusedBeforeAnyStatement(request(), {{"P01", "停车费", 0.09, "停车收费", "停车费税额"}}, "30) * 0 + (1",
                                    "停车费");
}

TEST_F(ParkingRun, DatabaseErrorsComeBackWithNumberAndDescription) {
    invoice(InvoiceRow("A001").collectedAt("2024-03-01 08:00:00").worth(10));
    line("A001", "P01", 10, 0);
    FeeItemList found = extract(request());
    db.exec("DROP TABLE 收款方式列表;");
    auto connection = db.connect();
    auto rows = RunParkingStatistics(*connection, request(), found, defaultSplitRows(found));
    ASSERT_FALSE(rows.ok());
    EXPECT_FALSE(rows.error().refusedSelection);
    EXPECT_FALSE(rows.error().description.empty());

    db.exec("DROP TABLE setupsfxm;");
    Extraction e = ExtractParkingFeeItems(*connection, request());
    EXPECT_TRUE(e.error.has_value());
}
