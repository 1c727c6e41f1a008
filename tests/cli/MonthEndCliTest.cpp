// tallyvane-report for month-end scripts: the department and fee-item lists, runs over
// several departments into one workbook or a folder, the SQL log, --settings and --version.
#include <gtest/gtest.h>

#include <algorithm>

#include <fstream>
#include <sstream>

#include "CliOptions.h"
#include "CommandRunner.h"
#include "DemoDatabase.h"
#include "DetailCommand.h"
#include "Listings.h"
#include "RecordingConnection.h"
#include "ReportCatalog.h"
#include "ScratchFolder.h"

using namespace tally::testing;

namespace {

std::string runPython(const std::string& script, const std::string& arguments) {
    return runShell("/usr/bin/python3 -c " + shellQuote(script) + " " + arguments + " 2>&1").out;
}

// The workbook's sheet names, one a line, then each sheet's A1.
std::string sheetNamesAndTitles(const std::filesystem::path& file) {
    return runPython(
        "import openpyxl, sys\n"
        "wb = openpyxl.load_workbook(sys.argv[1])\n"
        "[print(ws.title) for ws in wb.worksheets]\n"
        "[print(ws['A1'].value) for ws in wb.worksheets]",
        shellQuote(file.string()));
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// ---------------------------------------------------------------- the lists, on the demo database

class DemoLists : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new ScratchFolder;
        tally::demo::DemoOptions options;
        options.invoicesPerYear = 300;
        options.years = 1;
        options.firstYear = 2025;
        tally::demo::generateDemoDatabase((*folder / "demo.sqlite").string(), options);
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }

    CommandResult tool(const std::string& arguments) {
        return runReportTool("--db " + shellQuote((*folder / "demo.sqlite").string()) + " " + arguments);
    }

    static ScratchFolder* folder;
};

ScratchFolder* DemoLists::folder = nullptr;

constexpr const char* kMarch2025 = " --year 2025 --start-month 03 --end-month 03";

TEST_F(DemoLists, DepartmentsAsJsonCsvAndTable) {
    auto json = tool("departments");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(
        json.out.rfind(
            "[\n {\"code\": \"01\", \"office\": \"GL01\", \"office_name\": \"翠湖花园管理处\", \"closed\": false}", 0),
        0u)
        << json.out;
    // Closed departments are listed too, and say so; a department with two offices is there twice.
    EXPECT_NE(json.out.find(
                  "{\"code\": \"03\", \"office\": \"GL04\", \"office_name\": \"旧城花园管理处\", \"closed\": true}"),
              std::string::npos);
    EXPECT_NE(json.out.find("\"office\": \"GL03\""), std::string::npos);

    auto csv = tool("departments --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("\xEF\xBB\xBF"
                            "code,office,office_name,closed\r\n01,GL01,翠湖花园管理处,false\r\n",
                            0),
              0u)
        << csv.out;
    EXPECT_NE(csv.out.find("\r\n03,GL04,旧城花园管理处,true\r\n"), std::string::npos);

    auto table = tool("departments --format table");
    ASSERT_EQ(table.status, 0) << table.err;
    const auto rows = lines(table.out);
    ASSERT_GE(rows.size(), 6u) << table.out;
    EXPECT_EQ(rows[0].rfind("code  office  office_name", 0), 0u) << table.out;
    // Every line's "closed" column starts at the same screen column, Chinese names counting two.
    const auto closedColumn = [](const std::string& line) {
        const auto at = line.find_last_of(' ');
        return tally::cli::displayWidth(line.substr(0, at + 1));
    };
    for (const auto& row : rows) EXPECT_EQ(closedColumn(row), closedColumn(rows[0])) << table.out;
}

TEST_F(DemoLists, FeeItemsAsJsonCsvAndTable) {
    auto json = tool(std::string("fee-items --department 01") + kMarch2025);
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(
        json.out.find("{\"code\": \"0101\", \"name\": \"物业管理费\", \"category\": \"物业服务\", \"rate\": 0.06, "
                      "\"parking\": false}"),
        std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"name\": \"停车费月租\", \"category\": \"停车费\", \"rate\": 0.09, \"parking\": true}"),
              std::string::npos);

    auto csv = tool(std::string("fee-items --department 01 --format csv") + kMarch2025);
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("\xEF\xBB\xBF"
                            "code,name,category,rate,parking\r\n",
                            0),
              0u)
        << csv.out;
    EXPECT_NE(csv.out.find("\r\n0301,停车费月租,停车费,0.09,true\r\n"), std::string::npos) << csv.out;

    auto table = tool(std::string("fee-items --department 01 --format table") + kMarch2025);
    ASSERT_EQ(table.status, 0) << table.err;
    const auto rows = lines(table.out);
    ASSERT_GE(rows.size(), 2u);
    const auto rateColumn = [](const std::string& line) {
        // "rate" is the fourth column: the width of what comes before its text.
        std::size_t at = 0;
        for (int field = 0; field < 3; ++field) {
            at = line.find_first_of(' ', at);
            at = line.find_first_not_of(' ', at);
        }
        return tally::cli::displayWidth(line.substr(0, at));
    };
    for (const auto& row : rows) EXPECT_EQ(rateColumn(row), rateColumn(rows[0])) << table.out;
}

TEST_F(DemoLists, UnknownDepartmentOrOfficeExitsTwoNamingIt) {
    auto department = tool(std::string("fee-items --department 77") + kMarch2025);
    EXPECT_EQ(department.status, 2);
    EXPECT_NE(department.err.find("no department 77 (tallyvane-report departments lists them)"), std::string::npos)
        << department.err;
    auto office = tool(std::string("parking --department 01 --office GL99") + kMarch2025);
    EXPECT_EQ(office.status, 2);
    EXPECT_NE(office.err.find("no department 01 office GL99 (tallyvane-report departments lists them)"),
              std::string::npos)
        << office.err;
    EXPECT_EQ(office.err.find("请先选择统计部门!"), std::string::npos);
}

// ---------------------------------------------------------------- splits, formats, version, settings

class MonthEndCli : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(R"(
            INSERT INTO 职能部门new VALUES ('01','一部',NULL), ('02','二部',NULL), ('03','三部',NULL), ('09','旧部','2020-01-01');
            INSERT INTO 设置管理处 VALUES ('GL01','翠湖管理处','01'),
              ('GL02','二号/[A]:*?\大厦管理处这个名字长得超过了三十一个字符的限制','02'),
              ('GL03','三号','03'), ('GL09','旧','09');
            INSERT INTO 票据类型 VALUES ('S','收据',0);
            INSERT INTO 票据入库单 VALUES ('RS','S');
            INSERT INTO setupsfxm VALUES ('P1','停车费',0.09,'停车收费','停车'), ('P2','临停',0.09,'停车收费','停车'),
              ('W1','物业管理费',0.06,'物业','物业');
            INSERT INTO 收款方式列表 VALUES ('现金');
            INSERT INTO 税控盘收费项目设置 VALUES ('P1',0.09,'GL01');
            INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额,收款方式,付款人,预开) VALUES
              ('007','RS','01','2024-03-05','2024-03-05',100,'现金','张三',0),
              ('008','RS','02','2024-03-06','2024-03-06',50,'现金','李四',0);
            INSERT INTO 票据开票数据 VALUES ('007','RS','P1',100,NULL), ('008','RS','W1',50,NULL);
        )");
    }

    CommandResult tool(const std::string& arguments) {
        return runReportTool("--db " + shellQuote(db.path()) + " " + arguments);
    }

    TestDatabase db;
    ScratchFolder folder;
};

constexpr const char* kMarch = " --from 2024-03-01 --to 2024-03-31";

TEST_F(MonthEndCli, SplitOfAnItemTheMonthDidNotExtractWarnsAndRuns) {
    auto r = tool(std::string("vat-invoicing --department 01 --split P1=60/40 --split P2=50/50") + kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"007\",\"60.00\",\"40.00\""), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("parking fee item P2 was not extracted"), std::string::npos) << r.err;
}

TEST_F(MonthEndCli, SplitOfNoFeeItemOrNoParkingItemExitsTwoNamingIt) {
    auto unknown = tool(std::string("vat-invoicing --department 01 --split Q9=60/40") + kMarch);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_NE(unknown.err.find("--split: Q9 is no fee item"), std::string::npos) << unknown.err;

    auto notParking = tool(std::string("vat-invoicing --department 01 --split W1=60/40") + kMarch);
    EXPECT_EQ(notParking.status, 2);
    EXPECT_NE(notParking.err.find("--split: W1 (物业管理费) is not a parking fee item"), std::string::npos)
        << notParking.err;
}

TEST_F(MonthEndCli, ArgumentsRefusedWithExitTwo) {
    for (const std::string& arguments :
         {std::string("vat-invoicing --department all --format pdf --output x.pdf") + kMarch,
          std::string("vat-invoicing --department all") + kMarch,
          std::string("vat-invoicing --department 01,02 --format xlsx") + kMarch,
          std::string("vat-invoicing --department 01, --format xlsx --output x.xlsx") + kMarch,
          std::string("vat-invoicing --department 01 --format csv --output-dir d") + kMarch,
          std::string("fee-items --department all") + kMarch, std::string("departments --format xlsx")}) {
        auto r = tool(arguments);
        EXPECT_EQ(r.status, 2) << arguments << "\n" << r.err;
        EXPECT_TRUE(r.out.empty()) << arguments;
    }
    auto pdf = tool(std::string("parking --department 01 --format pdf") + kMarch);
    EXPECT_EQ(pdf.status, 2);
    EXPECT_NE(pdf.err.find("--format pdf needs --output FILE"), std::string::npos) << pdf.err;
    auto noSettings = runReportTool("--settings " + shellQuote((folder / "missing.ini").string()) + " departments");
    EXPECT_EQ(noSettings.status, 2);
    EXPECT_NE(noSettings.err.find("missing.ini"), std::string::npos) << noSettings.err;
}

TEST_F(MonthEndCli, VersionIsTheProjects) {
    auto r = runReportTool("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "tallyvane-report " TALLYVANE_VERSION "\n");
}

TEST_F(MonthEndCli, AllDepartmentsIntoOneWorkbookSkipsThoseWithoutData) {
    const auto file = folder / "月末.xlsx";
    auto r = tool(std::string("vat-invoicing --department all --format xlsx --output ") + shellQuote(file.string()) +
                  kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("no data, skipped: 03 三号【GL03】"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("旧"), std::string::npos) << r.err;  // closed: not in the month-end run
    EXPECT_NE(r.err.find(file.string() + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(folder.names(), std::set<std::string>{"月末.xlsx"});
    if (!kLinuxToolsRun) GTEST_SKIP() << kNoLinuxTools;
    // In list order; no []:*?/\ and at most 31 characters.
    EXPECT_EQ(sheetNamesAndTitles(file),
              "01 翠湖管理处\n"
              "02 二号__A_____大厦管理处这个名字长得超过了三十一个\n"
              "【翠湖管理处】增值税开票明细表\n"
              "【二号/[A]:*?\\大厦管理处这个名字长得超过了三十一个字符的限制】增值税开票明细表\n");
}

TEST_F(MonthEndCli, ListedDepartmentsInTheirOrderAndSameNamedSheetsKeptApart) {
    const auto file = folder / "list.xlsx";
    auto r = tool(std::string("vat-invoicing --department 02,01,01 --format xlsx --output ") +
                  shellQuote(file.string()) + kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    if (!kLinuxToolsRun) GTEST_SKIP() << kNoLinuxTools;
    const auto names = lines(sheetNamesAndTitles(file));
    ASSERT_EQ(names.size(), 6u) << r.err;
    EXPECT_EQ(names[0].rfind("02 ", 0), 0u);
    EXPECT_EQ(names[1], "01 翠湖管理处");
    EXPECT_EQ(names[2], "01 翠湖管理处 (2)");
}

TEST_F(MonthEndCli, NoDepartmentWithDataExitsThreeAndWritesNothing) {
    auto r = tool("vat-invoicing --department 01,02,03 --format xlsx --output " +
                  shellQuote((folder / "x.xlsx").string()) + " --from 2024-05-01 --to 2024-05-31");
    EXPECT_EQ(r.status, 3) << r.err;
    for (const char* skipped : {"01 翠湖管理处【GL01】", "03 三号【GL03】"})
        EXPECT_NE(r.err.find(std::string("no data, skipped: ") + skipped), std::string::npos) << r.err;
    EXPECT_TRUE(folder.names().empty());
}

TEST_F(MonthEndCli, AFolderGetsOneFilePerDepartmentNamedAsTheWindowProposes) {
    const auto dir = folder / "out";
    auto detail = tool(std::string("vat-invoicing --department 01,03 --format xlsx --output-dir ") +
                       shellQuote(dir.string()) + kMarch);
    ASSERT_EQ(detail.status, 0) << detail.err;
    EXPECT_NE(detail.err.find("no data, skipped: 03 三号【GL03】"), std::string::npos) << detail.err;
    auto reconciliation = tool(
        "reconciliation --department 01 --year 2024 --start-month 03 --end-month 03 "
        "--format xlsx --output-dir " +
        shellQuote(dir.string()));
    ASSERT_EQ(reconciliation.status, 0) << reconciliation.err;
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"【翠湖管理处】增值税开票明细表_20240301-20240331.xlsx",
                                            "2024年度【翠湖管理处】票据核对表.xlsx"}));
}

// ---------------------------------------------------------------- the SQL log

// The statements of a log, in order.
std::vector<std::string> loggedStatements(const std::string& log) {
    std::vector<std::string> statements;
    std::size_t at = 0;
    while ((at = log.find("-- ", at)) != std::string::npos) {
        const auto header = log.find('\n', at);
        const auto end = log.find("\n\n-- ", header);
        const auto stop = end == std::string::npos ? log.size() - 2 : end;
        statements.push_back(log.substr(header + 1, stop - header - 1));
        at = stop;
    }
    return statements;
}

TEST_F(MonthEndCli, SqlLogHoldsEveryStatementAsSentWithDurationAndRows) {
    // What the run sends, recorded in this process.
    tally::testing::RecordingConnection recording(db.connect());
    auto options = tally::cli::parseCommandLine(
        {"vat-invoicing", "--department", "01", "--from", "2024-03-01", "--to", "2024-03-31", "--split", "P1=60/40"});
    ASSERT_TRUE(options.options);
    auto report = tally::reports::makeDetailReport("vat-invoicing");
    std::ostringstream warnings;
    ASSERT_EQ(tally::cli::runDetailReport(recording, *report, *options.options, warnings).status, 0);
    ASSERT_GE(recording.statements.size(), 5u);

    const auto log = folder / "sql.log";
    auto r = tool(std::string("vat-invoicing --department 01 --split P1=60/40 --sql-log ") + shellQuote(log.string()) +
                  kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = readText(log);
    // The embedded engine reads VAT invoicing's lines and invoices at once, on two handles:
    // their entries come in the order the two reads end.
    auto logged = loggedStatements(text), sent = recording.statements;
    std::sort(logged.begin(), logged.end());
    std::sort(sent.begin(), sent.end());
    EXPECT_EQ(logged, sent) << text;
    EXPECT_EQ(text.rfind("-- ", 0), 0u);
    EXPECT_NE(text.find(" ms, 1 row\n"), std::string::npos) << text;
    // Values stay visible.
    EXPECT_NE(text.find("'20240301'"), std::string::npos);
}

TEST_F(MonthEndCli, SqlLogThroughOdbcSettingsNeverHoldsThePassword) {
    const std::string password = "Pw-3x4mple;s3cret";
    const auto ini = folder / "Korvane2011.ini";
    {
        std::ofstream out(ini);
        out << "[DBConfig]\nSvr=\"odbc:DRIVER=" << SQLITE_ODBC_DRIVER << ";Database=" << hostPath(db.path())
            << ";LoadExt=" << TSQL_EXTENSION << "\"\nUID=auditor\nPWD=\"" << password << "\"\nDBname=\n";
    }
    const auto log = folder / "odbc.log";
    auto r = runReportTool("--settings " + shellQuote(ini.string()) + " --sql-log " + shellQuote(log.string()) +
                           " vat-invoicing --department all --format xlsx --output " +
                           shellQuote((folder / "m.xlsx").string()) + kMarch);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = readText(log);
    EXPECT_NE(text.find("Select 职能部门编号"), std::string::npos) << text;
    EXPECT_GE(loggedStatements(text).size(), 10u);
    for (const std::string& secret : {password, std::string("s3cret"), std::string("PWD"), std::string("auditor")}) {
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
        EXPECT_EQ(r.err.find(secret), std::string::npos) << secret;
    }
}

}  // namespace
