// The command line's contract: outputs and exit statuses that scripts rely on.
#include <gtest/gtest.h>

#include "OfficeRows.h"
#include "ReportToolTest.h"

using namespace tally::testing;

namespace {

// One receipt of 100.00 for parking in department 01, collected in cash on 2024-03-05.
const std::string kRows = kTwoOffices + R"(
    INSERT INTO 票据类型 VALUES ('S','收据',0);
    INSERT INTO 票据入库单 VALUES ('RS','S');
    INSERT INTO setupsfxm VALUES ('P1','停车费',0.09,'停车收费','停车');
    INSERT INTO 收款方式列表 VALUES ('现金');
    INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额,收款方式,付款人,预开)
      VALUES ('007','RS','01','2024-03-05','2024-03-05',100,'现金','张三',0);
    INSERT INTO 票据开票数据 VALUES ('007','RS','P1',100,NULL);
)";

class CliContract : public ReportToolTest {
protected:
    CliContract() : ReportToolTest(kRows) {}

    CommandResult report(const std::string& arguments, const std::string& kind = "vat-invoicing") {
        return runOnDatabase(kind + " " + arguments);
    }
};

TEST_F(CliContract, JsonHoldsTitleHeadingsAndEveryDrawnRow) {
    auto r = report("--department 01 --from 2024-03-01 --to 2024-03-31");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("{\"report\": \"vat-invoicing\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"title\": \"【翠湖管理处】增值税开票明细表\""), std::string::npos);
    EXPECT_NE(r.out.find("[\"序\",\"开票日期\",\"专用发票\",\"普通发票\",\"电子发票\",\"收据\",\"开发商70%\",\"物业30%"
                         "\",\"税额9%\""),
              std::string::npos);
    EXPECT_NE(
        r.out.find(
            "[\"1\",\"2024-03-05\",\"\",\"\",\"\",\"007\",\"70.00\",\"30.00\",\"0.00\",\"100.00\",\"现金\",\"张三\"]"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("[\"3\",\"其中\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"100.00\",\"现金\",\"\"]"),
              std::string::npos);
}

// The headings name the split the amounts were computed with.
TEST_F(CliContract, SplitChangesTheRunAndItsHeadings) {
    auto r = report("--department 01 --year 2024 --start-month 03 --end-month 03 --split P1=60/40");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"007\",\"60.00\",\"40.00\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"开发商60%\",\"物业40%\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\"开发商70%\""), std::string::npos) << r.out;
}

TEST_F(CliContract, CsvStartsWithAByteOrderMarkAndTheHeadingRows) {
    auto r = report("--department 01 --from 2024-03-01 --to 2024-03-31 --format csv");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("\xEF\xBB\xBF序,开票日期,增值税发票", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\r\n1,2024-03-05,,,,007,70.00,30.00,0.00,100.00,现金,张三\r\n"), std::string::npos);
}

TEST_F(CliContract, NothingFoundExitsThreeWithTheMessage) {
    auto r = report("--department 02 --from 2024-03-01 --to 2024-03-31");
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("没有满足条件的开票数据,请重新设置条件!"), std::string::npos) << r.err;
}

TEST_F(CliContract, RefusedSelectionsAndBadArgumentsExitTwo) {
    auto r = report("--department 01 --from 2024-03-02 --to 2024-03-01");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("截至日期不能小于开始日期!"), std::string::npos) << r.err;
    EXPECT_EQ(report("--department 99 --from 2024-03-01 --to 2024-03-31").status, 2);
    EXPECT_EQ(report("--department 01 --from 2024-02-30 --to 2024-03-31").status, 2);
    EXPECT_EQ(report("--department 01 --from 2024-03-01 --to 2024-03-31", "nonsense").status, 2);
    EXPECT_EQ(report("--department 01 --from 2024-03-01 --to 2024-03-31 --split P1=30x/70y").status, 2);
    EXPECT_EQ(report("--department 01").status, 2);
}

TEST_F(CliContract, DatabaseErrorsExitOne) {
    auto r =
        runReportTool("--db /nonexistent/x.sqlite vat-invoicing --department 01 --from 2024-03-01 --to 2024-03-31");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("错误信息："), std::string::npos) << r.err;
    db.exec("DROP TABLE 收款方式列表");
    EXPECT_EQ(report("--department 01 --from 2024-03-01 --to 2024-03-31").status, 1);
}

// The tool is started without a shell: its arguments are split here as sh would.
TEST(ShellWords, SplitsAsShDoes) {
    EXPECT_EQ(shellWords(" a  'b c'\t\"d \\\"e\\\" \\f \\x\" g\\ h '' " + shellQuote("it's 'x'")),
              (std::vector<std::string>{"a", "b c", "d \"e\" \\f \\x", "g h", "", "it's 'x'"}));
    EXPECT_THROW(shellWords("a 'b"), std::invalid_argument);
}

TEST_F(CliContract, HelpDescribesTheToolAndExitsZero) {
    auto r = runReportTool("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Exit status"), std::string::npos);
}

}  // namespace
