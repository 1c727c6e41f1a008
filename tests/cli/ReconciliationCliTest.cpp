// tallyvane-report reconciliation end to end: title, both heading rows, every row, exit statuses.
#include <gtest/gtest.h>

#include "OfficeRows.h"
#include "ReportToolTest.h"
#include "ScratchFolder.h"

using namespace tally::testing;

namespace {

class ReconciliationCli : public ReportToolTest {
protected:
    ReconciliationCli() : ReportToolTest(kCuihuReconciliationMarch) {}

    CommandResult report(const std::string& arguments) {
        return runOnDatabase("reconciliation --department 01 --year 2024 " + arguments);
    }
};

TEST_F(ReconciliationCli, JsonHoldsTheWindowTitleHeadingsAndEveryRow) {
    auto r = report("--start-month 03 --end-month 03");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_NE(r.out.find("{\"report\": \"reconciliation\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"title\": \"2024年度【翠湖管理处】票据核对表\""), std::string::npos) << r.out;
    for (const char* row : {"[\"序\",\"开票年月\",\"税率\",\"增值税专用发票\",\"增值税专用发票\",\"增值税普通发票\","
                            "\"增值税普通发票\",\"收据\","
                            "\"财务交账\",\"财务交账\",\"当月收预开票\",\"当月未收预开\",\"核对结果\",\"备注\"]",
                            "[\"序\",\"开票年月\",\"税率\",\"金额\",\"税额\",\"金额\",\"税额\",\"金额\",\"物业管理费\","
                            "\"小计\",\"金额\",\"金额\","
                            "\"差额\",\"备注\"]",
                            "[\"1\",\"202403\",\"0.06\",\"100.00\",\"6.00\",\"50.00\",\"3.00\",\"0.00\",\"106.00\","
                            "\"106.00\",\"\",\"\",\"\",\"\"]",
                            "[\"2\",\"202403\",\"小计\",\"100.00\",\"6.00\",\"50.00\",\"3.00\",\"0.00\",\"106.00\","
                            "\"106.00\",\"0.00\",\"53.00\","
                            "\"0.00\",\"\"]",
                            "[\"3\",\"合计\",\"\",\"100.00\",\"6.00\",\"50.00\",\"3.00\",\"0.00\",\"106.00\",\"106."
                            "00\",\"0.00\",\"53.00\",\"\",\"\"]"})
        EXPECT_NE(r.out.find(row), std::string::npos) << row << "\n" << r.out;
}

TEST_F(ReconciliationCli, ExitStatuses) {
    auto backwards = report("--start-month 06 --end-month 05");
    EXPECT_EQ(backwards.status, 2);
    EXPECT_TRUE(backwards.out.empty());
    EXPECT_NE(backwards.err.find("截至月份不能小于开始月份,请重新选择!"), std::string::npos) << backwards.err;

    auto unknown = runOnDatabase("reconciliation --department 99 --year 2024 --start-month 06 --end-month 05");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("no department 99 (tallyvane-report departments lists them)"), std::string::npos)
        << unknown.err;

    auto nothing = report("--start-month 04 --end-month 04");
    EXPECT_EQ(nothing.status, 3);
    EXPECT_TRUE(nothing.out.empty());
    EXPECT_NE(nothing.err.find("没有满足条件的开票数据,请重新设置条件!"), std::string::npos) << nothing.err;

    db.exec("DROP TABLE 税控盘收费项目设置");
    auto broken = report("--start-month 03 --end-month 03");
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.out.empty());
    EXPECT_NE(broken.err.find("税控盘收费项目设置"), std::string::npos) << broken.err;
}

// Fee items found, but only on tickets of a type that is neither invoice nor receipt:
// the table keeps its heading rows alone. Nothing is reported or exported, as in the window.
TEST_F(ReconciliationCli, OnlyHeadingRowsExitThreeAndWriteNoFile) {
    db.exec("INSERT INTO 票据类型 VALUES ('04','机打发票',0); UPDATE 票据入库单 SET 票据类型编号 = '04'");
    ScratchFolder folder;
    for (const char* format : {"json", "xlsx"}) {
        const std::string output =
            format == std::string("xlsx") ? " --output " + shellQuote((folder / "核对.xlsx").string()) : "";
        auto r = report(std::string("--start-month 03 --end-month 03 --format ") + format + output);
        EXPECT_EQ(r.status, 3) << format << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << format << ": " << r.out;
        EXPECT_NE(r.err.find("没有满足条件的开票数据,请重新设置条件!"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(folder.names().empty());
}

}  // namespace
