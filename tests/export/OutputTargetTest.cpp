#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "OutputTarget.h"
#include "SheetError.h"
#include "TempFile.h"

using namespace tally::sheet;

namespace {

struct NameCase {
    const char* label;
    const char* chosen;
    bool converterFound;
    const char* expectedPath;
    SheetFileFormat expectedFormat;
};

class ChooseOutput : public ::testing::TestWithParam<NameCase> {};

ConverterLookup lookupGiving(bool found) {
    return [found]() -> std::optional<std::filesystem::path> {
        if (found) return std::filesystem::path("/opt/office/soffice");
        return std::nullopt;
    };
}

TEST_P(ChooseOutput, PathAndFormatFollowTheExtension) {
    const NameCase& c = GetParam();
    const OutputTarget target = chooseOutput(c.chosen, lookupGiving(c.converterFound));
    EXPECT_EQ(target.path.string(), c.expectedPath);
    EXPECT_EQ(target.format, c.expectedFormat);
    if (target.format == SheetFileFormat::Xls) {
        EXPECT_EQ(target.converter, "/opt/office/soffice");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ChooseOutput,
    ::testing::Values(NameCase{"xlsx_kept", "/d/【一号】停车费明细表_20240101-20240131.xlsx", true,
                               "/d/【一号】停车费明细表_20240101-20240131.xlsx", SheetFileFormat::Xlsx},
                      NameCase{"xls_with_converter", "/d/report.xls", true, "/d/report.xls", SheetFileFormat::Xls},
                      NameCase{"xls_in_capitals", "/d/report.XLS", true, "/d/report.xls", SheetFileFormat::Xls},
                      NameCase{"xls_without_converter", "/d/report.xls", false, "/d/report.xlsx",
                               SheetFileFormat::Xlsx},
                      NameCase{"other_extension", "/d/report.csv", true, "/d/report.xlsx", SheetFileFormat::Xlsx},
                      NameCase{"only_last_dot_counts", "/d/a.b.xls", true, "/d/a.b.xls", SheetFileFormat::Xls},
                      NameCase{"trailing_dot", "/d/report.", true, "/d/report.xlsx", SheetFileFormat::Xlsx},
                      NameCase{"dotted_folder", "/d.v2/report.xlsx", false, "/d.v2/report.xlsx", SheetFileFormat::Xlsx},
                      NameCase{"relative_name", "report.xlsx", false, "report.xlsx", SheetFileFormat::Xlsx}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ChooseOutputRefuses, NamesWithoutExtensionOrStem) {
    for (const char* bad : {"/d/report", "/d.v2/report", "report", "/d/.xlsx", ""}) {
        try {
            chooseOutput(bad, lookupGiving(true));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const SheetError& e) {
            EXPECT_EQ(e.number, sheet_errors::kBadFileName) << bad;
            EXPECT_NE(e.description.find("文件名无效"), std::string::npos) << bad;
        }
    }
}

}  // namespace

// The hidden file a sheet is written through never shows in a message: the user is told
// about the file they chose.
TEST(OutputTarget, AFailureNamesTheChosenFileNotTheHiddenOne) {
    const std::filesystem::path chosen = "/nonexistent-tallyvane-folder/报表.xlsx";
    try {
        TempFile file(chosen, ".xlsx");
        FAIL() << "created " << file.path();
    } catch (const SheetError& e) {
        EXPECT_EQ(e.number, ENOENT);
        EXPECT_NE(e.description.find(chosen.string()), std::string::npos) << e.description;
        EXPECT_EQ(e.description.find(".tmp-"), std::string::npos) << e.description;
        EXPECT_EQ(e.messageText().rfind("文件不存在或无法打开: 错误号: 2错误描述: ", 0), 0u) << e.messageText();
    }
}
