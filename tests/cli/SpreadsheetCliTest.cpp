// tallyvane-report --format xlsx|xls: the report window's spreadsheet export from the
// command line. The layouts themselves are checked in tests/export; here the tool's side:
// which file is written, what it says, and its exit status.
#include <gtest/gtest.h>

#include "OfficeRows.h"
#include "OutputTarget.h"
#include "ReportToolTest.h"
#include "ScratchFolder.h"

using namespace tally::testing;

namespace {

// Values as openpyxl reads them, one "REF=repr" a line after "rows=N".
std::string sheetCells(const std::filesystem::path& file, const std::string& refs) {
    const std::string command =
        "/usr/bin/python3 -c 'import openpyxl, sys\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
        "print(\"rows=%d\" % ws.max_row)\n"
        "[print(\"%s=%r\" % (ref, ws[ref].value)) for ref in sys.argv[2:]]' " +
        shellQuote(file.string()) + " " + refs + " 2>&1";
    return runShell(command).out;
}

std::string lastLine(const std::string& text) {
    std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
    return trimmed.substr(trimmed.find_last_of('\n') + 1);
}

// Parking paid in cash on 2024-03-05 and a pre-issued special invoice never collected.
const std::string kRows = kCuihuOffice + R"(
    INSERT INTO 票据类型 VALUES ('01','增值税普通发票',0), ('02','增值税专用发票',0);
    INSERT INTO 票据入库单 VALUES ('R1','01'), ('S1','02');
    INSERT INTO setupsfxm VALUES ('P1','停车费',0.09,'停车收费','停车'), ('W1','物业管理费',0.06,'物业','物业');
    INSERT INTO 税控盘收费项目设置 VALUES ('W1',0.06,'GL01');
    INSERT INTO 收款方式列表 VALUES ('现金');
    INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额,收款方式,付款人,地址,预开,交易订单号) VALUES
      ('0001','R1','01','2024-03-05','2024-03-05 10:00:00',109,'现金','张三',NULL,0,NULL),
      ('0004','S1','01','2024-03-10',NULL,215,NULL,'李四','3号楼',1,NULL);
    INSERT INTO 票据开票数据 VALUES ('0001','R1','P1',109,9), ('0004','S1','P1',109,9), ('0004','S1','W1',106,6);
)";

class SpreadsheetCli : public ReportToolTest {
protected:
    SpreadsheetCli() : ReportToolTest(kRows) {}

    CommandResult exportTo(const std::string& kind, const std::filesystem::path& output,
                           const std::string& format = "xlsx") {
        const std::string period = kind == "reconciliation" ? " --year 2024 --start-month 03 --end-month 03"
                                                            : " --from 2024-03-01 --to 2024-03-31";
        return runOnDatabase(kind + " --department 01" + period + " --format " + format + " --output " +
                             shellQuote(output.string()));
    }

    ScratchFolder folder;
};

// The tool looks LibreOffice up on PATH and is started without it. A Windows program needs
// PATH for its DLLs: there the case runs only where no LibreOffice is found.
class WithoutPath {
public:
    WithoutPath() : saved_(qgetenv("PATH")) {
        if (!kOnWindows) qputenv("PATH", "/nonexistent");
    }
    ~WithoutPath() { qputenv("PATH", saved_); }
    WithoutPath(const WithoutPath&) = delete;
    WithoutPath& operator=(const WithoutPath&) = delete;

private:
    QByteArray saved_;
};

struct KindCase {
    const char* kind;
    const char* done;   // the report's success message
    const char* title;  // cell A1
    const char* cells;  // more cells to read back, and what they hold
    const char* wanted;
};

TEST_F(SpreadsheetCli, EveryKindWritesItsSheetAndNamesTheFile) {
    const KindCase cases[] = {
        {"parking", "停车费明细表导出成功！", "【翠湖管理处】停车费明细表", "B6 G6 B7 A9",
         "B6='0001'\nG6=109\nB7='合计'\nA9='收款人:'\n"},
        {"vat-invoicing", "增值税开票明细表导出成功！", "【翠湖管理处】增值税开票明细表", "A2 A3 D6",
         "A2=' 统计部门 : 01 翠湖管理处'\nA3=' 开票日期 : 2024-03-01 至 2024-03-31'\nD6='0001'\n"},
        {"pre-invoicing", "增值税预开票明细表导出成功！", "【翠湖管理处】增值税预开票明细表", "C6 B7 M8",
         "C6='0004'\nB7='合  计'\nM8='缴款人:'\n"},
        {"reconciliation", "票据核对表导出成功！", "2024年度【翠湖管理处】票据核对表", "A3 B6 C6",
         "A3=' 核对年月 : 2024 年 03 月 至 03 月'\nB6=202403\nC6=0.06\n"},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.kind);
        const auto file = folder / (std::string(c.kind) + ".xlsx");
        auto r = exportTo(c.kind, file);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;  // standard output stays free for json and csv
        EXPECT_EQ(r.err.rfind(c.done, 0), 0u) << r.err;
        EXPECT_EQ(lastLine(r.err), file.string());
        if (!kLinuxToolsRun) continue;
        const std::string cells = sheetCells(file, std::string("A1 ") + c.cells);
        EXPECT_NE(cells.find(std::string("A1='") + c.title + "'\n"), std::string::npos) << cells;
        EXPECT_NE(cells.find(c.wanted), std::string::npos) << cells;
    }
    if (!kLinuxToolsRun) GTEST_SKIP() << "the files were written; " << kNoLinuxTools;
}

TEST_F(SpreadsheetCli, OtherExtensionBecomesTheXlsxBeside) {
    auto r = exportTo("parking", folder / "停车.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lastLine(r.err), (folder / "停车.xlsx").string());
    EXPECT_EQ(folder.names(), std::set<std::string>{"停车.xlsx"});
}

TEST_F(SpreadsheetCli, XlsWithoutLibreOfficeBecomesTheXlsxBeside) {
    if (kOnWindows && tally::sheet::findOfficeConverter()) GTEST_SKIP() << "LibreOffice is installed";
    CommandResult r;
    {
        WithoutPath noConverter;
        r = exportTo("vat-invoicing", folder / "开票.xls", "xls");
    }
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("LibreOffice"), std::string::npos) << r.err;
    EXPECT_EQ(lastLine(r.err), (folder / "开票.xlsx").string());
    EXPECT_EQ(folder.names(), std::set<std::string>{"开票.xlsx"});
}

TEST_F(SpreadsheetCli, XlsThroughLibreOffice) {
    if (!tally::sheet::findOfficeConverter()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    auto r = exportTo("pre-invoicing", folder / "预开.xls", "xls");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lastLine(r.err), (folder / "预开.xls").string());
    EXPECT_EQ(folder.names(), std::set<std::string>{"预开.xls"});
    EXPECT_EQ(readText(folder / "预开.xls").substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
}

TEST_F(SpreadsheetCli, FailuresExitOneWithNumberAndDescription) {
    auto noExtension = exportTo("parking", folder / "停车");
    EXPECT_EQ(noExtension.status, 1);
    EXPECT_EQ(noExtension.err.rfind("错误号: 52错误描述: ", 0), 0u) << noExtension.err;

    writeText(folder / "not-a-folder", "old contents");
    auto notAFolder = exportTo("parking", folder / "not-a-folder" / utf8Path("停车.xlsx"));
    EXPECT_EQ(notAFolder.status, 1);
    // ENOTDIR (Windows: ENOENT), with its cause in words
    EXPECT_EQ(
        notAFolder.err.rfind("文件不存在或无法打开: 错误号: " + std::to_string(kNotAFolderError) + "错误描述: ", 0), 0u)
        << notAFolder.err;
    EXPECT_TRUE(notAFolder.out.empty());
    EXPECT_EQ(readText(folder / "not-a-folder"), "old contents");
    EXPECT_EQ(folder.names(), std::set<std::string>{"not-a-folder"});
}

}  // namespace
