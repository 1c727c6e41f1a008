// .xls files come from LibreOffice converting the finished .xlsx. A stand-in converter
// script checks the pipeline everywhere; the real one runs where LibreOffice is installed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>

#include "ChildProcess.h"
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
// of the input, the .csv read-back has `csvRows` lines, and it exits with `exitCode`.
std::filesystem::path fakeConverter(const ScratchFolder& folder, int csvRows, int exitCode) {
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
                  std::to_string(csvRows) +
                  " ]; do echo x; i=$((i+1)); done"
                  " > \"$outdir/$name.csv\";;\n"
                  "esac\n"
                  "exit " +
                  std::to_string(exitCode) + "\n");
    ::chmod(script.c_str(), 0755);
    return script;
}

OutputTarget xlsTarget(const std::filesystem::path& path, const std::filesystem::path& converter) {
    return chooseOutput(path.native(), [converter] { return std::optional(converter); });
}

TEST(XlsExport, WithoutConverterTheSheetIsSavedAsXlsx) {
    ScratchFolder folder;
    SheetWriter sheet(chooseOutput((folder / "报表.xls").native(), [] { return std::nullopt; }), {3, 3});
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
    SheetWriter sheet(chooseOutput((folder / "报表.xls").native()), {3, 3});
    ASSERT_EQ(sheet.target().format, SheetFileFormat::Xls);
    writeReport(sheet);
    EXPECT_EQ(sheet.save(), folder / "报表.xls");
    EXPECT_EQ(folder.names(), std::set<std::string>{"报表.xls"});
    EXPECT_EQ(readText(folder / "报表.xls").substr(0, 8), std::string(kOleSignature, 8));

    // Read it back independently: text keeps its zeros, the date shows as yyyy-mm-dd.
    ScratchFolder readBack;
    const ProcessResult run =
        runProcess({converter->native(), "-env:UserInstallation=file://" + (readBack / "profile").native(),
                    "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir",
                    readBack.path().native(), (folder / "报表.xls").native()},
                   readBack / "log", std::chrono::seconds(300));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string csv = readText(readBack / "报表.csv");
    EXPECT_NE(csv.find("【一号】增值税开票明细表"), std::string::npos) << csv;
    EXPECT_NE(csv.find("2024-01-05,\"00012345\",12.50"), std::string::npos) << csv;
    EXPECT_NE(csv.find("收款人:"), std::string::npos) << csv;
}

}  // namespace
