#include <gtest/gtest.h>

#include "Paging.h"
#include "PreInvoicePage.h"
#include "PreInvoiceReport.h"
#include "SplitStatisticsTest.h"

using namespace tally;
using namespace tally::reports;
using namespace tally::reports::preinvoice;
using namespace tally::testing;

namespace {

// Uncollected invoices issued in March 2024 by default.
InvoiceRow uncollected(const std::string& number) {
    return InvoiceRow(number).issuedAt("2024-03-05 09:00:00").collectedAt(std::nullopt);
}

class PreInvoiceRun : public SplitStatisticsTest<PreInvoiceRow, ExtractPreInvoiceFeeItems, RunPreInvoiceStatistics> {
protected:
    ReportRequest request(std::string types = "'01','02','03'") const {
        return {{"01", "G01", "一管理处"}, "20240301", "20240331", std::move(types)};
    }

    std::vector<PreInvoiceRow> run(const PropertyTexts& propertyTexts = {}) {
        return runWith(request(), propertyTexts);
    }
};

}  // namespace

TEST_F(PreInvoiceRun, OnlyInvoicesIssuedInThePeriodAndNotCollectedByItsEndAreListed) {
    invoice(InvoiceRow("A01").issuedAt("2024-03-02 09:00:00").collectedAt("2024-03-31 23:00:00"));
    invoice(InvoiceRow("A02").issuedAt("2024-03-03 09:00:00").collectedAt("2024-04-01 00:10:00"));
    invoice(uncollected("A03").issuedAt("2024-03-04 09:00:00"));
    invoice(uncollected("A04").issuedAt("2024-03-05 09:00:00").issuedBeforePayment());
    invoice(uncollected("A05").issuedAt("2024-03-01 00:00:00"));
    invoice(uncollected("A06").issuedAt("2024-02-29 23:59:59"));
    invoice(uncollected("A07").issuedAt("2024-03-31 23:59:59"));
    invoice(uncollected("A08").issuedAt("2024-04-01 00:00:00"));
    invoice(uncollected("A09").voidedAt("2024-03-20 00:00:00"));
    invoice(uncollected("A10").ofDepartment("02"));
    invoice(uncollected("A11").inBatch("D1"));  // a quota type, never listed
    for (const char* number : {"A01", "A02", "A03", "A04", "A05", "A06", "A07", "A08", "A09", "A10"})
        line(number, "W01", 10, 0.6);
    line("A11", "W01", 10, 0.6, "D1");

    auto rows = run();
    std::vector<std::pair<std::string, std::string>> listed;
    for (const auto& row : rows) listed.emplace_back(row.dateLabel, row.ordinaryNumber);
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, std::string>>{{"2024-03-01", "A05"},
                                                                        {"2024-03-03", "A02"},
                                                                        {"2024-03-04", "A03"},
                                                                        {"2024-03-05", "A04"},
                                                                        {"2024-03-31", "A07"},
                                                                        {"合  计", ""}}));
}

TEST_F(PreInvoiceRun, ParkingSharesAddUpToTheNetAmount) {
    invoice(uncollected("A01").issuedAt("2024-03-01 09:00:00"));
    invoice(uncollected("A02").issuedAt("2024-03-02 09:00:00"));
    line("A01", "P01", 33.33, 0);
    line("A02", "P01", 100, 0);

    auto rows = run();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"23.33", "10.00", "0.00"}));
    EXPECT_EQ(amountTexts(rows[1]), (Texts{"70.00", "30.00", "0.00"}));

    rows = run({{"P01", "33.3"}});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(amountTexts(rows[1]), (Texts{"66.70", "33.30", "0.00"}));
}

TEST_F(PreInvoiceRun, MissingTaxAndMissingItemsShowZerosAndTheTotalsAddUp) {
    invoice(uncollected("A01").issuedAt("2024-03-01 09:00:00"));
    invoice(uncollected("A02").issuedAt("2024-03-02 09:00:00"));
    line("A01", "P01", 100, std::nullopt);
    line("A02", "W01", 106, 6);
    line("A02", "W01", 53, 3);

    auto rows = run();
    ASSERT_EQ(items.size(), 2u);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"70.00", "30.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(amountTexts(rows[1]), (Texts{"0.00", "0.00", "0.00", "150.00", "9.00"}));
    PreInvoiceResult result(rows, 5);
    EXPECT_EQ(cellTexts(result.drawRow(2)),
              (Texts{"3", "合  计", "", "", "70.00", "30.00", "0.00", "150.00", "9.00", "259.00", "", ""}));
}

TEST_F(PreInvoiceRun, NumbersGoToTheSpecialOrOrdinaryColumnByType) {
    invoice(
        uncollected("0001").issuedAt("2024-03-01 09:00:00").inBatch("S1").payerAt("张三\r\n李四", "一号楼\r\n101室"));
    invoice(uncollected("0002").issuedAt("2024-03-02 09:00:00").payerAt(std::nullopt, "二号楼"));
    invoice(uncollected("0003").issuedAt("2024-03-03 09:00:00").inBatch("Q1").payerAt(std::nullopt, std::nullopt));
    line("0001", "W01", 10.6, 0.6, "S1");
    line("0002", "W01", 21.2, 1.2);
    line("0003", "W01", 31.8, 1.8, "Q1");

    PreInvoiceResult result(run(), 2);
    ASSERT_EQ(result.rowCount(), 4);
    EXPECT_EQ(cellTexts(result.drawRow(0)),
              (Texts{"1", "2024-03-01", "0001", "", "10.00", "0.60", "10.60", "预开", "张三李四 一号楼101室"}));
    EXPECT_EQ(cellTexts(result.drawRow(1)),
              (Texts{"2", "2024-03-02", "", "0002", "20.00", "1.20", "21.20", "预开", " 二号楼"}));
    EXPECT_EQ(cellTexts(result.drawRow(2)), (Texts{"3", "2024-03-03", "", "", "30.00", "1.80", "31.80", "预开", ""}));
    EXPECT_EQ(result.drawRow(0).wrapColumn, 8);
    EXPECT_EQ(result.drawRow(0).cells[8].align, CellAlign::Left);
    EXPECT_EQ(result.drawRow(2).wrapColumn, -1);
}

TEST_F(PreInvoiceRun, TheTotalsRowCountsForPaging) {
    std::string number;
    for (int i = 1; i <= 25; ++i) {
        number = "B" + std::to_string(100 + i);
        invoice(uncollected(number));
        line(number, "W01", 1, 0);
    }
    PreInvoiceResult result(run(), 2);
    ASSERT_EQ(result.rowCount(), 26);
    EXPECT_EQ(cellTexts(result.drawRow(25))[0], "26");
    EXPECT_EQ(cellTexts(result.drawRow(25))[1], "合  计");
    EXPECT_EQ(cellTexts(result.drawRow(25))[4], "25.00");
    EXPECT_EQ(cellTexts(result.drawRow(25))[6], "25.00");
    Paging paging{20, pageCountFor(result.rowCount(), 20), 1};
    EXPECT_EQ(paging.label(), "第 01 页 共 02 页");
    EXPECT_EQ(paging.firstRow(2), 20);
    EXPECT_EQ(paging.endRow(2, result.rowCount()), 26);
}

TEST_F(PreInvoiceRun, InvoicesSharingANumberInDifferentBatchesKeepTheirOwnLines) {
    invoice(uncollected("A01").issuedAt("2024-03-01 09:00:00").inBatch("R1"));
    invoice(uncollected("A01").issuedAt("2024-03-02 09:00:00").inBatch("R2"));
    line("A01", "W01", 100, 0, "R1");
    line("A01", "W01", 10, 0, "R2");

    auto rows = run();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"100.00", "0.00"}));
    EXPECT_EQ(amountTexts(rows[1]), (Texts{"10.00", "0.00"}));
}

TEST_F(PreInvoiceRun, OnlyTheFirstColumnOfAParkingItemIsADeveloperColumn) {
    db.exec("INSERT INTO setupsfxm VALUES ('W02','KFS服务费',0.06,'服务','x'), ('W03','物业管理费',0.06,'物业','y');");
    invoice(uncollected("A01"));
    line("A01", "W01", 10, 1);
    line("A01", "W02", 106, 6);
    line("A01", "W03", 20, 2);

    auto rows = run();
    ASSERT_EQ(items.size(), 3u);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(amountTexts(rows[0]), (Texts{"9.00", "1.00", "100.00", "6.00", "18.00", "2.00"}));
}

TEST_F(PreInvoiceRun, WithoutListedInvoiceTypesNothingIsFound) {
    invoice(uncollected("A01"));
    line("A01", "W01", 10, 0);
    EXPECT_TRUE(extract(request("")).empty());
    auto connection = db.connect();
    FeeItemList list{{"W01", "物业管理费", 0.06, "物业", "物业管理费税额"}};
    auto rows = RunPreInvoiceStatistics(*connection, request(""), list, {});
    ASSERT_TRUE(rows.ok()) << rows.error().messageText();
    EXPECT_TRUE(rows.value().empty());
}

TEST_F(PreInvoiceRun, APercentageThatIsNoNumberIsRefusedBeforeAnyStatement) {
    // Only the parking item has a split row.
    const FeeItemList list{{"W01", "物业管理费", 0.06, "物业", "物业管理费税额"},
                           {"P02", "临时停车费月租", 0.09, "临时停车", "临时停车费月租税额"}};
    expectRefusedBeforeAnyStatement(request(), list, "abc", "临时停车费月租");
}

TEST_F(PreInvoiceRun, DatabaseErrorsComeBackWithNumberAndDescription) {
    db.exec("DROP TABLE 票据类型;");
    auto connection = db.connect();
    Extraction e = ExtractPreInvoiceFeeItems(*connection, request());
    ASSERT_TRUE(e.error.has_value());
    EXPECT_FALSE(e.error->refusedSelection);
    FeeItemList list{{"W01", "物业管理费", 0.06, "物业", "物业管理费税额"}};
    auto rows = RunPreInvoiceStatistics(*connection, request(), list, {});
    ASSERT_FALSE(rows.ok());
    EXPECT_FALSE(rows.error().description.empty());
}
