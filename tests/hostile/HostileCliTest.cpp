// tallyvane-report on every hostile database, in every output format: a written result,
// "nothing found", or the system's message with its exit status; never a signal, and
// output that a reader of the format can take apart again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "CommandRunner.h"
#include "EngineHarness.h"
#include "HostileExpectations.h"
#include "JsonCheck.h"
#include "ReportOutput.h"
#include "ScratchFolder.h"
#include "ValidUtf8.h"

namespace tally::testing {
namespace {

using namespace std::string_literals;

struct CliCase {
    HostileVariant variant;
    std::string kind;
    std::string format;
};

std::vector<CliCase> allCliCases() {
    std::vector<CliCase> cases;
    for (auto v : allHostileVariants())
        for (const auto& k : allReportKinds())
            for (const char* f : {"json", "csv", "xlsx"}) cases.push_back({v, k, f});
    return cases;
}

std::string cliCaseName(const ::testing::TestParamInfo<CliCase>& info) {
    std::string kind = info.param.kind;
    std::replace(kind.begin(), kind.end(), '-', '_');
    return variantName(info.param.variant) + "_" + kind + "_" + info.param.format;
}

std::string selection(const HostileDatabase& db, const std::string& kind) {
    std::string s =
        "--department " + shellQuote(db.profile().departmentCode) + " --office " + shellQuote(db.profile().officeCode);
    return s + (kind == "reconciliation" ? " --year 2024 --start-month 03 --end-month 03"
                                         : " --from 2024-03-01 --to 2024-03-31");
}

// RFC 4180 records of a CSV text (quoted fields may hold commas, quotes and line breaks).
std::vector<std::vector<std::string>> csvRecords(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        auto& field = records.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
            else if (c == '"') quoted = false;
            else field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            records.emplace_back(1);
        } else {
            field += c;
        }
    }
    if (records.back().size() == 1 && records.back()[0].empty()) records.pop_back();
    return records;
}

// Runs a shell command; its output and exit status (-1 after a signal).
CommandResult runCommand(const std::string& command) { return runShell(command + " 2>&1"); }

bool havePython() { return kLinuxToolsRun && runShell("command -v python3 >/dev/null 2>&1").status == 0; }

// Every XML part of an .xlsx parsed with Python's zipfile and XML parser: the texts of
// the worksheet, one a line, or "XML: " and the parser's complaint.
std::string xlsxTexts(const std::string& path) {
    auto r = runCommand(
        "python3 -c " +
        shellQuote("import sys, zipfile, xml.dom.minidom as m\n"
                   "z = zipfile.ZipFile(sys.argv[1])\n"
                   "docs = [m.parseString(z.read(n)) for n in z.namelist() if n.endswith('.xml')]\n"
                   "t = m.parseString(z.read('xl/worksheets/sheet1.xml')).getElementsByTagName('t')\n"
                   "sys.stdout.buffer.write(''.join(e.firstChild.data + '\\n' for e in t if e.firstChild).encode())") +
        " " + shellQuote(path));
    return r.status == 0 ? r.out : "XML: " + r.out;
}

class EveryReportThroughTheTool : public ::testing::TestWithParam<CliCase> {};

TEST_P(EveryReportThroughTheTool, WritesTheResultOrTheSystemsMessage) {
    const auto& [variant, kind, format] = GetParam();
    HostileDatabase db(variant);
    const std::string before = fileBytes(db.path());
    ScratchFolder folder;
    const auto sheet = folder / (cliCaseName(::testing::TestParamInfo<CliCase>(GetParam(), 0)) + ".xlsx");
    std::string arguments =
        "--db " + shellQuote(db.path()) + " " + kind + " " + selection(db, kind) + " --format " + format;
    if (format == "xlsx") arguments += " --output " + shellQuote(sheet.string());

    auto r = runReportTool(arguments);
    ASSERT_NE(r.status, -1) << "ended by a signal; stderr: " << r.err;
    EXPECT_TRUE(isValidUtf8(r.err)) << r.err;
    const Expected expected = expectedFor(variant, kind);
    if (expected.kind == Expected::Error) {
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(expected.errorText), std::string::npos) << r.err;
        EXPECT_TRUE(format == "xlsx" || r.out.empty() || kind == "reconciliation") << r.out;
    } else {
        ASSERT_EQ(r.status, 0) << r.err;
        if (format == "json") {
            auto json = readJson(r.out);
            ASSERT_TRUE(json.valid) << json.problem << "\n" << r.out;
            const bool rowsFound = std::find(json.strings.begin(), json.strings.end(), "合计") != json.strings.end() ||
                                   std::find(json.strings.begin(), json.strings.end(), "合  计") != json.strings.end();
            EXPECT_EQ(rowsFound, expected.kind == Expected::Rows) << r.out;
        } else if (format == "csv") {
            ASSERT_EQ(r.out.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
            auto records = csvRecords(r.out.substr(3));
            ASSERT_GE(records.size(), 2u);
            for (const auto& record : records) EXPECT_EQ(record.size(), records[0].size()) << r.out;
        } else {
            ASSERT_TRUE(std::filesystem::exists(sheet)) << r.err;
            EXPECT_EQ(readFile(sheet).substr(0, 2), "PK");
            if (havePython()) {
                auto texts = xlsxTexts(sheet.string());
                EXPECT_NE(texts.rfind("XML: ", 0), 0u) << texts;
            }
        }
    }
    EXPECT_EQ(fileBytes(db.path()), before) << "the tool wrote to the database";
}

INSTANTIATE_TEST_SUITE_P(Hostile, EveryReportThroughTheTool, ::testing::ValuesIn(allCliCases()), cliCaseName);

// The JSON of the hostile texts: decoded back to exactly what the database holds.
class HostileJson : public ::testing::Test {
protected:
    JsonReading report(HostileVariant variant, const std::string& kind) {
        HostileDatabase db(variant);
        auto r = runReportTool("--db " + shellQuote(db.path()) + " " + kind + " " + selection(db, kind));
        EXPECT_EQ(r.status, 0) << r.err;
        raw = r.out;
        auto json = readJson(r.out);
        EXPECT_TRUE(json.valid) << json.problem << "\n" << r.out;
        return json;
    }
    static bool holds(const JsonReading& json, const std::string& text) {
        return std::find(json.strings.begin(), json.strings.end(), text) != json.strings.end();
    }
    std::string raw;
};

TEST_F(HostileJson, NulCharactersAreEscapedAndDecodeToTheStoredText) {
    auto json = report(HostileVariant::NulCharacters, "vat-invoicing");
    EXPECT_NE(raw.find("A\\u0000HX1"), std::string::npos) << raw;
    EXPECT_EQ(raw.find('\0'), std::string::npos) << "a raw NUL in the output";
    EXPECT_TRUE(holds(json, "A\0HX1"s));
    EXPECT_TRUE(holds(json, "张\0HX三 3号楼\0HX\x01\x1B"s));
    EXPECT_TRUE(holds(json, "王\x01HX五\x1B\x7F\t"));
    EXPECT_TRUE(holds(json, "【翠湖\0HX管理处】增值税开票明细表"s));
}

TEST_F(HostileJson, LineBreaksInNamesAreEscapedAndQuotesKept) {
    auto json = report(HostileVariant::AwkwardNames, "reconciliation");
    EXPECT_NE(raw.find("物业\\r\\nHX管理\\n费"), std::string::npos) << raw;
    EXPECT_TRUE(holds(json, "物业\r\nHX管理\n费"));
    json = report(HostileVariant::Punctuation, "parking");
    EXPECT_TRUE(holds(json, "停车'HX]费 [x] -- ; /* */ 末"));
    EXPECT_TRUE(holds(json, "A'HX1 --"));
    EXPECT_TRUE(holds(json, "现金'HX --"));
}

TEST_F(HostileJson, BytesOfAnOlderEncodingBecomeReplacementCharacters) {
    const std::string bad = "\xEF\xBF\xBD";
    auto json = report(HostileVariant::LegacyBytes, "vat-invoicing");
    EXPECT_TRUE(holds(json, "物业" + bad + bad + "HX"));
    EXPECT_TRUE(holds(json, bad + bad + "HX" + bad));
    EXPECT_TRUE(holds(json, "现金" + bad + bad + "HX"));
    EXPECT_TRUE(holds(json, "【翠湖" + bad + bad + "HX】增值税开票明细表"));
    EXPECT_TRUE(holds(json, "215.00")) << raw;
}

TEST(HostileSheet, NulAndForeignBytesShowAsReplacementCharactersNotAsACutText) {
    if (!havePython()) GTEST_SKIP() << "reading the sheet back needs python3, on Linux";
    const std::string bad = "\xEF\xBF\xBD";
    for (auto variant : {HostileVariant::NulCharacters, HostileVariant::LegacyBytes}) {
        HostileDatabase db(variant);
        ScratchFolder folder;
        const auto sheet = folder / "sheet.xlsx";
        auto r = runReportTool("--db " + shellQuote(db.path()) + " vat-invoicing " + selection(db, "vat-invoicing") +
                               " --format xlsx --output " + shellQuote(sheet.string()));
        ASSERT_EQ(r.status, 0) << r.err;
        auto texts = xlsxTexts(sheet.string());
        if (variant == HostileVariant::NulCharacters) {
            EXPECT_NE(texts.find("\nA" + bad + "HX1\n"), std::string::npos) << texts;
            EXPECT_NE(texts.find("现金" + bad + "HX"), std::string::npos) << texts;
        } else {
            EXPECT_NE(texts.find("物业" + bad + bad + "HX"), std::string::npos) << texts;
        }
    }
}

TEST_F(HostileJson, SplitsReachFeeCodesWithQuotesAndNeverCarrySqlOfTheirOwn) {
    HostileDatabase db(HostileVariant::Punctuation);
    const std::string base = "--db " + shellQuote(db.path()) + " parking " + selection(db, "parking");
    auto r = runReportTool(base + " --split " + shellQuote(db.profile().parkingCode + "=60/40"));
    ASSERT_EQ(r.status, 0) << r.err;
    auto json = readJson(r.out);
    ASSERT_TRUE(json.valid) << json.problem;
    EXPECT_TRUE(holds(json, "开发商60%") && holds(json, "物业40%")) << r.out;
    EXPECT_NE(r.out.find("[\"1\",\"A'HX1 --\",\"\",\"60.00\",\"40.00\",\"9.00\",\"109.00\"]"), std::string::npos)
        << r.out;

    r = runReportTool(base + " --split " + shellQuote(db.profile().parkingCode + "=60/40) * 0 as x; --"));
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.err.find("不是0到100之间的数字"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST(HostileCsv, LineBreaksInNamesStayInsideOneQuotedField) {
    HostileDatabase db(HostileVariant::AwkwardNames);
    auto r = runReportTool("--db " + shellQuote(db.path()) + " vat-invoicing " + selection(db, "vat-invoicing") +
                           " --format csv");
    ASSERT_EQ(r.status, 0) << r.err;
    auto records = csvRecords(r.out.substr(3));
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(std::count(records[0].begin(), records[0].end(), "物业\r\nHX管理\n费"), 2);
}

TEST(HostileOutputText, OnlyCompleteShortestUtf8CharactersPass) {
    EXPECT_EQ(sheet::validUtf8("停车费 😀 a"), "停车费 😀 a");
    EXPECT_EQ(sheet::validUtf8("a\xC0\xAF"
                               "b"),
              "a\xEF\xBF\xBD\xEF\xBF\xBD"
              "b")
        << "overlong";
    EXPECT_EQ(sheet::validUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD") << "a surrogate";
    EXPECT_EQ(sheet::validUtf8("\xE5\x81"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "cut at the end";
    EXPECT_EQ(sheet::validUtf8("\xF4\x90\x80\x80").size(), 12u) << "beyond U+10FFFF";
    // The quick test says valid exactly where nothing would be mended.
    for (const std::string& text :
         {"停车费 😀 a"s, "a\xC0\xAF"s, "\xED\xA0\x80"s, "\xE5\x81"s, "\xF4\x90\x80\x80"s, "x\0y"s, ""s})
        EXPECT_EQ(sheet::isValidUtf8(text), sheet::validUtf8(text) == text) << text;
}

TEST(HostileOutputText, JsonStringsAreEscapedAndMended) {
    EXPECT_EQ(cli::jsonString("a\"b\\c\n\r\t\x01"), "\"a\\\"b\\\\c\\n\\r\\t\\u0001\"");
    EXPECT_EQ(cli::jsonString("停\xE5\x81"), "\"停\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_TRUE(readJson("[" + cli::jsonString("x\0y\xC0"s) + "]").valid);
}

TEST(HostileOutputCheckers, RefuseBrokenJsonAndKeepQuotedCsvFieldsWhole) {
    EXPECT_TRUE(readJson("{\"a\": [\"x\\u0000y\", 1.5, null]}").valid);
    EXPECT_FALSE(readJson("{\"a\": \"x\ny\"}").valid) << "a raw line break inside a string";
    EXPECT_FALSE(readJson("{\"a\": \"x\0y\"}"s).valid) << "a raw NUL inside a string";
    EXPECT_FALSE(readJson("{\"a\": [\"x\"}").valid) << "unbalanced";
    EXPECT_FALSE(readJson("[\"\xE5\x81\"]").valid) << "a cut UTF-8 character";
    auto records = csvRecords("a,\"b\r\nc\",\"d\"\"e\"\r\nf,g,h\r\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (std::vector<std::string>{"a", "b\r\nc", "d\"e"}));
}

}  // namespace
}  // namespace tally::testing
