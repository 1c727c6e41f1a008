// .xls files come from LibreOffice converting the finished .xlsx. A stand-in converter
// script checks the pipeline everywhere; the real one runs where LibreOffice is installed.
#include <gtest/gtest.h>

#include <optional>

#include "ChildProcess.h"
#include "Platform.h"
#include "ScratchFolder.h"
#include "SheetError.h"
#include "SheetWriter.h"
#include "XlsConversion.h"

using namespace tally::sheet;
using tally::testing::readText;
using tally::testing::ScratchFolder;
using tally::testing::writeText;

namespace {

constexpr char kOleSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

void writeReport(SheetWriter& sheet) {
    sheet.merge({1, 1, 1, 3});
    sheet.text(1, 1, "【一号】增值税开票明细表", {.bold = true});
    sheet.date(2, 1, "2024-01-05");
    sheet.text(2, 2, "00012345");
    sheet.number(2, 3, 12.5, {.numberFormat = "#0.00"});
    sheet.text(3, 1, "收款人:");
}

// Behaves like `soffice --convert-to FILTER --outdir DIR FILE`: .fods and .xls are copies
// of the input, the .csv read-back has `csvRows` lines, and it exits with `exitCode`. A
// batch file on Windows, whose cmd.exe splits arguments at '=' too (only FILE counts) and
// redirects no parenthesised block under Wine.
std::filesystem::path fakeConverter(const ScratchFolder& folder, int csvRows, int exitCode) {
    const std::string rows = std::to_string(csvRows), status = std::to_string(exitCode);
    if (tally::testing::kOnWindows) {
        const auto script = folder / "fake-soffice.cmd";
        writeText(script,
                  "@echo off\r\n"
                  ":next\r\n"
                  "if \"%~1\"==\"\" goto convert\r\n"
                  "if \"%~1\"==\"--convert-to\" (set \"filter=%~2\"& shift& shift& goto next)\r\n"
                  "if \"%~1\"==\"--outdir\" (set \"outdir=%~2\"& shift& shift& goto next)\r\n"
                  "set \"input=%~1\"\r\n"
                  "shift\r\n"
                  "goto next\r\n"
                  ":convert\r\n"
                  "for %%f in (\"%input%\") do set \"name=%%~nf\"\r\n"
                  "if \"%filter%\"==\"fods\" copy /y \"%input%\" \"%outdir%\\%name%.fods\" >nul\r\n"
                  "if \"%filter:~0,3%\"==\"xls\" copy /y \"%input%\" \"%outdir%\\%name%.xls\" >nul\r\n"
                  "if not \"%filter:~0,3%\"==\"csv\" exit /b " +
                      status +
                      "\r\n"
                      "type nul > \"%outdir%\\%name%.csv\"\r\n"
                      "for /l %%i in (1,1," +
                      rows + ") do echo x>> \"%outdir%\\%name%.csv\"\r\n" + "exit /b " + status + "\r\n");
        return script;
    }
    const auto script = folder / "fake-soffice";
    writeText(script,
              "#!/bin/sh\n"
              "while [ $# -gt 0 ]; do\n"
              "  case \"$1\" in\n"
              "    --convert-to) filter=\"$2\"; shift 2;;\n"
              "    --outdir) outdir=\"$2\"; shift 2;;\n"
              "    *) input=\"$1\"; shift;;\n"
              "  esac\n"
              "done\n"
              "name=$(basename \"$input\"); name=\"${name%.*}\"\n"
              "case \"$filter\" in\n"
              "  fods) cp \"$input\" \"$outdir/$name.fods\";;\n"
              "  xls*) cp \"$input\" \"$outdir/$name.xls\";;\n"
              "  csv*) i=0; while [ $i -lt " +
                  rows +
                  " ]; do echo x; i=$((i+1)); done"
                  " > \"$outdir/$name.csv\";;\n"
                  "esac\n"
                  "exit " +
                  status + "\n");
    std::filesystem::permissions(
        script,
        std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec | std::filesystem::perms::others_exec,
        std::filesystem::perm_options::add);
    return script;
}

OutputTarget xlsTarget(const std::filesystem::path& path, const std::filesystem::path& converter) {
    return chooseOutput(path.string(), [converter] { return std::optional(converter); });
}

TEST(XlsExport, WithoutConverterTheSheetIsSavedAsXlsx) {
    ScratchFolder folder;
    SheetWriter sheet(chooseOutput((folder / "报表.xls").string(), [] { return std::nullopt; }), {3, 3});
    writeReport(sheet);
    EXPECT_EQ(sheet.save(), folder / "报表.xlsx");
    EXPECT_EQ(folder.names(), std::set<std::string>{"报表.xlsx"});
}

class XlsWithStandIn : public ::testing::Test {
protected:
    // Saves over an old 报表.xls through the stand-in, which reads back `csvRows` rows
    // and exits with `exitCode`; the error the save fails with, none when it succeeds.
    std::optional<SheetError> failedSave(int csvRows, int exitCode) {
        writeText(folder / "报表.xls", "old contents");
        SheetWriter sheet(xlsTarget(folder / "报表.xls", fakeConverter(tools, csvRows, exitCode)), {3, 3});
        writeReport(sheet);
        try {
            sheet.save();
        } catch (const SheetError& e) {
            return e;
        }
        return std::nullopt;
    }

    void expectTheOldFileAlone() {
        EXPECT_EQ(readText(folder / "报表.xls"), "old contents");
        EXPECT_EQ(folder.names(), std::set<std::string>{"报表.xls"});
    }

    ScratchFolder tools;
    ScratchFolder folder;
};

TEST_F(XlsWithStandIn, ConvertedFileReplacesTheOldOne) {
    writeText(folder / "报表.xls", "old contents");
    SheetWriter sheet(xlsTarget(folder / "报表.xls", fakeConverter(tools, 3, 0)), {3, 3});
    writeReport(sheet);
    EXPECT_EQ(sheet.save(), folder / "报表.xls");
    EXPECT_EQ(readText(folder / "报表.xls").substr(0, 2), "PK");  // the stand-in copies its input
    EXPECT_EQ(folder.names(), std::set<std::string>{"报表.xls"});
}

TEST_F(XlsWithStandIn, FewerRowsReadBackIsAFailureThatKeepsTheOldFile) {
    const auto e = failedSave(2, 0);
    ASSERT_TRUE(e) << "a cut sheet was accepted";
    EXPECT_EQ(e->number, sheet_errors::kConversionFailed);
    EXPECT_NE(e->description.find("65536"), std::string::npos) << e->description;
    EXPECT_NE(e->description.find(".xlsx"), std::string::npos) << e->description;
    expectTheOldFileAlone();
}

TEST_F(XlsWithStandIn, ConverterFailureKeepsTheOldFile) {
    const auto e = failedSave(3, 1);
    ASSERT_TRUE(e) << "a failed conversion was accepted";
    EXPECT_EQ(e->number, sheet_errors::kConversionFailed);
    EXPECT_NE(e->description.find("退出码 1"), std::string::npos) << e->description;
    expectTheOldFileAlone();
}

TEST(XlsFonts, EveryTextStyleTakesItsWesternFontForEastAsianTextToo) {
    const std::string fods =
        "<office:font-face-decls/><style:style style:name=\"ce1\">"
        "<style:text-properties fo:font-size=\"9pt\" style:font-name=\"微软雅黑\" "
        "style:font-name-asian=\"WenQuanYi Zen Hei\" style:font-name-complex=\"微软雅黑\"/></style:style>"
        "<style:text-properties style:font-name=\"Calibri\" fo:font-weight=\"bold\">"
        "<style:text-properties fo:color=\"#000000\"/><table:table-cell/>";
    EXPECT_EQ(withAsianFontsAsWestern(fods),
              "<office:font-face-decls/><style:style style:name=\"ce1\">"
              "<style:text-properties fo:font-size=\"9pt\" style:font-name=\"微软雅黑\" "
              "style:font-name-complex=\"微软雅黑\" style:font-name-asian=\"微软雅黑\"/></style:style>"
              "<style:text-properties style:font-name=\"Calibri\" fo:font-weight=\"bold\" "
              "style:font-name-asian=\"Calibri\">"
              "<style:text-properties fo:color=\"#000000\"/><table:table-cell/>");
}

TEST(XlsWithLibreOffice, WritesARealXlsHoldingEveryCell) {
    const auto converter = findOfficeConverter();
    if (!converter) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    ScratchFolder folder;
    writeText(folder / "报表.xls", "old contents");
    SheetWriter sheet(chooseOutput((folder / "报表.xls").string()), {3, 3});
    ASSERT_EQ(sheet.target().format, SheetFileFormat::Xls);
    writeReport(sheet);
    EXPECT_EQ(sheet.save(), folder / "报表.xls");
    EXPECT_EQ(folder.names(), std::set<std::string>{"报表.xls"});
    EXPECT_EQ(readText(folder / "报表.xls").substr(0, 8), std::string(kOleSignature, 8));

    // Read it back independently: text keeps its zeros, the date shows as yyyy-mm-dd.
    ScratchFolder readBack;
    const ProcessResult run =
        runProcess({converter->string(), "-env:UserInstallation=file://" + (readBack / "profile").string(),
                    "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir",
                    readBack.path().string(), (folder / "报表.xls").string()},
                   readBack / "log", std::chrono::seconds(300));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string csv = readText(readBack / "报表.csv");
    EXPECT_NE(csv.find("【一号】增值税开票明细表"), std::string::npos) << csv;
    EXPECT_NE(csv.find("2024-01-05,\"00012345\",12.50"), std::string::npos) << csv;
    EXPECT_NE(csv.find("收款人:"), std::string::npos) << csv;
}

}  // namespace
