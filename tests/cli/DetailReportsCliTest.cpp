// tallyvane-report parking and pre-invoicing end to end: what scripts read from them.
#include <gtest/gtest.h>

#include "OfficeRows.h"
#include "ReportToolTest.h"

using namespace tally::testing;

namespace {

// Parking paid in cash and by WeChat in March 2024, a pre-issued special invoice never
// collected, and in department 02 an invoice collected only in April.
const std::string kRows = kTwoOffices + R"(
    INSERT INTO 票据类型 VALUES ('01','增值税普通发票',0), ('02','增值税专用发票',0);
    INSERT INTO 票据入库单 VALUES ('R1','01'), ('S1','02');
    INSERT INTO setupsfxm VALUES ('P1','停车费',0.09,'停车收费','停车'), ('W1','物业管理费',0.06,'物业','物业');
    INSERT INTO 收款方式列表 VALUES ('现金'), ('微信支付');
    INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额,收款方式,付款人,地址,预开,交易订单号) VALUES
      ('0001','R1','01','2024-03-05','2024-03-05 10:00:00',109,'现金','张三',NULL,0,NULL),
      ('0002','R1','01','2024-03-05','2024-03-05 10:00:00',54.5,'微信','张三',NULL,0,'T1'),
      ('0003','R1','01','2024-03-06','2024-03-06 11:00:00',21.8,'微信','王五',NULL,0,NULL),
      ('0004','S1','01','2024-03-10',NULL,215,NULL,'李四','3号楼',1,NULL),
      ('0005','R1','02','2024-03-31','2024-04-02 09:00:00',10,'现金','赵六',NULL,0,NULL);
    INSERT INTO 票据开票数据 VALUES ('0001','R1','P1',109,9), ('0002','R1','P1',54.5,4.5),
      ('0003','R1','P1',21.8,1.8), ('0004','S1','P1',109,9), ('0004','S1','W1',106,6),
      ('0005','R1','P1',10,NULL);
)";

class DetailReportsCli : public ReportToolTest {
protected:
    DetailReportsCli() : ReportToolTest(kRows) {}

    CommandResult report(const std::string& kind, const std::string& arguments) {
        return runOnDatabase(kind + " " + arguments);
    }
};

constexpr const char* kMarch = " --from 2024-03-01 --to 2024-03-31";

TEST_F(DetailReportsCli, ParkingListsMergedRowsTotalAndPaymentMethods) {
    auto r = report("parking", std::string("--department 01") + kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"title\": \"【翠湖管理处】停车费明细表\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[\"序\",\"发票号\",\"电子发票号\",\"停车费\",\"停车费\",\"停车费\",\"合计\"]"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("[\"序\",\"发票号\",\"电子发票号\",\"开发商70%\",\"物业30%\",\"税额9%\",\"合计\"]"),
              std::string::npos);
    for (const char* row :
         {"[\"1\",\"\",\"0001 - 0002\",\"105.00\",\"45.00\",\"13.50\",\"163.50\"]",
          "[\"2\",\"0003\",\"\",\"14.00\",\"6.00\",\"1.80\",\"21.80\"]",
          "[\"3\",\"合计\",\"\",\"\",\"\",\"\",\"185.30\"]", "[\"4\",\"其中\",\"\",\"\",\"\",\"现金\",\"163.50\"]",
          "[\"5\",\"\",\"\",\"\",\"\",\"微信支付\",\"21.80\"]"})
        EXPECT_NE(r.out.find(row), std::string::npos) << row << "\n" << r.out;
}

TEST_F(DetailReportsCli, ParkingSplitShowsInTheHeadingsAndTheShares) {
    auto r = report("parking", std::string("--department 01 --split P1=66.7/33.3") + kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"开发商66.7%\",\"物业33.3%\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[\"2\",\"0003\",\"\",\"13.34\",\"6.66\",\"1.80\",\"21.80\"]"), std::string::npos) << r.out;
}

TEST_F(DetailReportsCli, ParkingExitStatuses) {
    auto noItems = report("parking", "--department 01 --from 2024-04-01 --to 2024-04-30");
    EXPECT_EQ(noItems.status, 3);
    EXPECT_TRUE(noItems.out.empty());
    EXPECT_NE(noItems.err.find("没有满足条件的开票数据,请重新设置条件!"), std::string::npos) << noItems.err;

    // Issued in March, collected in April: extracted, but nothing was collected in March.
    auto nothingCollected = report("parking", std::string("--department 02") + kMarch);
    EXPECT_EQ(nothingCollected.status, 3);
    EXPECT_NE(nothingCollected.err.find("无满足统计条件的数据，请重新设置统计条件！"), std::string::npos)
        << nothingCollected.err;

    auto refused = report("parking", std::string("--department 01 --split P1=70/abc") + kMarch);
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("停车费"), std::string::npos) << refused.err;
}

TEST_F(DetailReportsCli, PreInvoicingListsUncollectedInvoicesAndTheTotalsRow) {
    auto r = report("pre-invoicing", std::string("--department 01") + kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"title\": \"【翠湖管理处】增值税预开票明细表\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[\"序\",\"开票日期\",\"专用发票\",\"普通发票\",\"开发商70%\",\"物业30%\",\"税额9%\",\"金额\","
                         "\"税额6%\",\"合计\",\"收款方式\",\"付款人\"]"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("[\"1\",\"2024-03-10\",\"0004\",\"\",\"70.00\",\"30.00\",\"9.00\",\"100.00\",\"6.00\","
                         "\"215.00\",\"预开\",\"李四 3号楼\"]"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("[\"2\",\"合  计\",\"\",\"\",\"70.00\",\"30.00\",\"9.00\",\"100.00\",\"6.00\",\"215.00\","
                         "\"\",\"\"]"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("\"0001\""), std::string::npos);  // collected in the period
}

TEST_F(DetailReportsCli, PreInvoicingExitStatuses) {
    auto noItems = report("pre-invoicing", "--department 01 --from 2024-04-01 --to 2024-04-30");
    EXPECT_EQ(noItems.status, 3);
    EXPECT_NE(noItems.err.find("没有满足条件的预开票数据,请重新设置条件!"), std::string::npos) << noItems.err;

    auto refused = report("pre-invoicing", std::string("--department 01 --split P1=0/150") + kMarch);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("停车费"), std::string::npos) << refused.err;
}

}  // namespace

namespace {

TEST_F(DetailReportsCli, PdfNamedOutputPrintsTheReport) {
    ScratchFolder out;
    const auto file = out / "停车费.pdf";
    auto r = report("parking", "--department 01 --output " + shellQuote(file.string()) + kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(file.string() + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(readText(file).rfind("%PDF-", 0), 0u);
    if (!kLinuxToolsRun) GTEST_SKIP() << kNoLinuxTools;
    const std::string text = runShell("pdftotext -layout " + shellQuote(file.string()) + " -").out;
    for (const char* part : {"【翠湖管理处】停车费明细表", "开票日期 : 2024-03-01 至 2024-03-31", "0001 - 0002",
                             "163.50", "185.30", "微信支付", "开发商70%", "总仓管理员:"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

TEST_F(DetailReportsCli, PdfIntoAMissingFolderFailsWithExitOne) {
    ScratchFolder out;
    auto r = report("pre-invoicing",
                    "--department 01 --format pdf --output " + shellQuote((out / "no" / "x.pdf").string()) + kMarch);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("错误号: "), std::string::npos) << r.err;
}

}  // namespace
