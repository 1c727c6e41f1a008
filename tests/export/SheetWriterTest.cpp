#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>

#include "ScratchFolder.h"
#include "SheetError.h"
#include "SheetWriter.h"

using namespace tally::sheet;
using tally::testing::readText;
using tally::testing::ScratchFolder;
using tally::testing::writeText;

namespace {

OutputTarget xlsxAt(const std::filesystem::path& path) { return chooseOutput(path.string(), {}); }

OutputTarget xlsAt(const std::filesystem::path& path) {
    OutputTarget target{path, SheetFileFormat::Xls, "/nonexistent/soffice"};
    return target;
}

template <typename Action>
int errorNumberOf(Action action) {
    try {
        action();
    } catch (const SheetError& e) {
        EXPECT_FALSE(e.description.empty());
        return e.number;
    }
    return 0;
}

void writeSmallSheet(SheetWriter& sheet) {
    sheet.merge({1, 1, 1, 3});
    sheet.text(1, 1, "标题", {.bold = true});
    sheet.number(2, 1, 1.5, {.numberFormat = "#0.00"});
}

// ---- saving ----------------------------------------------------------------------------

TEST(SheetWriterSave, ReplacesTheOldFileAndLeavesNoTemporaryFile) {
    ScratchFolder folder;
    writeText(folder / "report.xlsx", "old contents");
    SheetWriter sheet(xlsxAt(folder / "report.xlsx"), {2, 3});
    writeSmallSheet(sheet);
    EXPECT_EQ(sheet.save(), folder / "report.xlsx");
    EXPECT_EQ(readText(folder / "report.xlsx").substr(0, 2), "PK");
    EXPECT_EQ(folder.names(), std::set<std::string>{"report.xlsx"});
}

TEST(SheetWriterSave, NothingAppearsBeforeSaveAndNothingStaysWithoutIt) {
    ScratchFolder folder;
    writeText(folder / "report.xlsx", "old contents");
    {
        SheetWriter sheet(xlsxAt(folder / "report.xlsx"), {2, 3});
        writeSmallSheet(sheet);
        EXPECT_EQ(readText(folder / "report.xlsx"), "old contents");
    }
    EXPECT_EQ(folder.names(), std::set<std::string>{"report.xlsx"});
    EXPECT_EQ(readText(folder / "report.xlsx"), "old contents");
}

TEST(SheetWriterSave, FolderThatIsAFileFailsBeforeAnyWork) {
    ScratchFolder folder;
    writeText(folder / "not-a-folder", "x");
    EXPECT_EQ(errorNumberOf([&] {
                  SheetWriter sheet(xlsxAt(folder / "not-a-folder" / "r.xlsx"), {2, 3});
              }),
              tally::testing::kNotAFolderError);
    EXPECT_EQ(folder.names(), std::set<std::string>{"not-a-folder"});
}

struct FailingSave {
    const char* label;
    int rows;
    unsigned long limit;
    int expectedNumber;  // 0: any workbook-library failure
};

class SheetWriterFailedSave : public ::testing::TestWithParam<FailingSave> {};

// Row data goes to a temporary file first (the library does not check those writes
// itself); the package is written at the end. Either failing must keep the old file.
// A file-size limit stops writes even for root, so the save fails half-way for real.
TEST_P(SheetWriterFailedSave, KeepsTheOldFileAndRemovesTheTemporaryFile) {
    if (!tally::testing::kFileSizeLimits) GTEST_SKIP() << tally::testing::kNoFileSizeLimits;
    const FailingSave& c = GetParam();
    ScratchFolder folder;
    writeText(folder / "report.xlsx", "old contents");
    SheetWriter sheet(xlsxAt(folder / "report.xlsx"), {c.rows, 3});
    // Numbers that do not repeat, so the data cannot compress below the limit.
    for (int row = 1; row <= c.rows; ++row) sheet.number(row, 1, row * 7919.0 / 7.0 + row * row);
    int number = 0;
    {
        tally::testing::FileSizeLimit limit(c.limit);
        number = errorNumberOf([&] { sheet.save(); });
    }
    if (c.expectedNumber) EXPECT_EQ(number, c.expectedNumber);
    else EXPECT_GT(number, sheet_errors::kLibraryBase);
    EXPECT_TRUE(readText(folder / "report.xlsx") == "old contents");
    EXPECT_EQ(folder.names(), std::set<std::string>{"report.xlsx"});
}

INSTANTIATE_TEST_SUITE_P(FileSizeLimit, SheetWriterFailedSave,
                         ::testing::Values(FailingSave{"row_data", 3000, 16384, EFBIG},
                                           FailingSave{"package", 5, 4096, 0}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(SheetWriterSave, ClosedWorkbookRefusesMoreWork) {
    ScratchFolder folder;
    SheetWriter sheet(xlsxAt(folder / "r.xlsx"), {2, 3});
    writeSmallSheet(sheet);
    sheet.save();
    EXPECT_EQ(errorNumberOf([&] { sheet.save(); }), sheet_errors::kWorkbookClosed);
    EXPECT_EQ(errorNumberOf([&] { sheet.text(2, 2, "x"); }), sheet_errors::kWorkbookClosed);
}

// ---- size limits -----------------------------------------------------------------------

TEST(SheetWriterLimits, XlsLongerThan65536RowsIsRefusedBeforeAnythingIsWritten) {
    ScratchFolder folder;
    try {
        SheetWriter sheet(xlsAt(folder / "long.xls"), {65537, 10});
        FAIL() << "accepted 65537 rows for .xls";
    } catch (const SheetError& e) {
        EXPECT_EQ(e.number, sheet_errors::kTooLargeForFormat);
        EXPECT_NE(e.description.find("65536"), std::string::npos) << e.description;
        EXPECT_NE(e.description.find(".xlsx"), std::string::npos) << e.description;
    }
    EXPECT_TRUE(folder.names().empty());
    EXPECT_EQ(errorNumberOf([&] {
                  SheetWriter sheet(xlsAt(folder / "wide.xls"), {10, 257});
              }),
              sheet_errors::kTooLargeForFormat);
    EXPECT_EQ(errorNumberOf([&] { SheetWriter sheet(xlsAt(folder / "edge.xls"), {65536, 256}); }), 0);
    EXPECT_EQ(errorNumberOf([&] { SheetWriter sheet(xlsxAt(folder / "long.xlsx"), {65537, 10}); }), 0);
    EXPECT_EQ(errorNumberOf([&] {
                  SheetWriter sheet(xlsxAt(folder / "huge.xlsx"), {1048577, 10});
              }),
              sheet_errors::kTooLargeForFormat);
    EXPECT_TRUE(folder.names().empty());
}

// ---- row order and cell checks ---------------------------------------------------------

class SheetWriterOrder : public ::testing::Test {
protected:
    ScratchFolder folder;
    SheetWriter sheet{xlsxAt(folder / "r.xlsx"), {20, 8}};
};

TEST_F(SheetWriterOrder, RowsAlreadyWrittenCannotChange) {
    sheet.text(3, 1, "a");
    sheet.text(3, 5, "same row, later column is fine");
    sheet.text(3, 2, "same row, earlier column is fine");
    sheet.text(5, 1, "b");
    EXPECT_EQ(errorNumberOf([&] { sheet.text(4, 1, "c"); }), sheet_errors::kCellOutOfOrder);
    EXPECT_EQ(errorNumberOf([&] { sheet.style({3, 1, 6, 8}, {.thinBorder = true}); }), sheet_errors::kCellOutOfOrder);
    EXPECT_EQ(errorNumberOf([&] { sheet.merge({4, 1, 6, 1}); }), sheet_errors::kCellOutOfOrder);
    EXPECT_EQ(errorNumberOf([&] { sheet.wrapRow(4); }), sheet_errors::kCellOutOfOrder);
    EXPECT_EQ(errorNumberOf([&] { sheet.style({5, 1, 6, 8}, {.thinBorder = true}); }), 0);
    EXPECT_EQ(errorNumberOf([&] { sheet.merge({5, 2, 6, 3}); }), 0);
}

TEST_F(SheetWriterOrder, MergesMustCoverTwoCellsAndNotOverlap) {
    EXPECT_EQ(errorNumberOf([&] { sheet.merge({4, 2, 4, 2}); }), sheet_errors::kBadCell);
    sheet.merge({4, 1, 5, 1});
    sheet.merge({4, 4, 4, 6});
    EXPECT_EQ(errorNumberOf([&] { sheet.merge({5, 1, 5, 2}); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.merge({4, 6, 5, 7}); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.merge({4, 2, 4, 3}); }), 0);
    sheet.text(6, 1, "rows 4 and 5 are written out");
    EXPECT_EQ(errorNumberOf([&] { sheet.merge({6, 1, 7, 1}); }), 0);
}

TEST_F(SheetWriterOrder, CellsOutsideTheSheetAreRefused) {
    EXPECT_EQ(errorNumberOf([&] { sheet.text(21, 1, "x"); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.text(1, 9, "x"); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.number(0, 1, 1); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.style({1, 1, 20, 9}, {}); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.style({3, 1, 2, 4}, {}); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.columnWidth(9, 10); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.columnWidth(1, -1); }), sheet_errors::kBadCell);
}

TEST_F(SheetWriterOrder, RowThatFailsAbandonsTheWorkbook) {
    sheet.number(1, 1, std::nan(""));
    EXPECT_EQ(errorNumberOf([&] { sheet.text(2, 1, "writes row 1 out"); }), sheet_errors::kBadCell);
    EXPECT_EQ(errorNumberOf([&] { sheet.text(3, 1, "x"); }), sheet_errors::kWorkbookClosed);
    EXPECT_EQ(errorNumberOf([&] { sheet.save(); }), sheet_errors::kWorkbookClosed);
    EXPECT_TRUE(folder.names().empty());
}

// ---- formats ---------------------------------------------------------------------------

TEST(SheetWriterFormats, EqualFormatsAreSharedHoweverManyRows) {
    ScratchFolder folder;
    SheetWriter sheet(xlsxAt(folder / "r.xlsx"), {2005, 6});
    sheet.style({1, 1, 2005, 6}, {.fontName = "微软雅黑", .fontSize = 9, .thinBorder = true});
    sheet.style({1, 3, 2005, 6}, {.align = HAlign::Right, .numberFormat = "#0.00"});
    auto writeRows = [&](int from, int to) {
        for (int row = from; row <= to; ++row) {
            sheet.number(row, 1, row, {.align = HAlign::Centre});
            sheet.text(row, 2, "000" + std::to_string(row));
            for (int column = 3; column <= 6; ++column) sheet.number(row, column, row * 0.01);
            if (row % 7 == 0) sheet.style({row, 1, row, 6}, {.fill = 16761024});
        }
    };
    writeRows(1, 20);
    const std::size_t afterTwentyRows = sheet.formatCount();
    writeRows(21, 2005);
    sheet.save();
    EXPECT_EQ(sheet.formatCount(), afterTwentyRows);
    EXPECT_EQ(afterTwentyRows, 6u);  // 3 kinds of cell, filled and not
}

}  // namespace
