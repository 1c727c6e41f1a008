// The report exports around the layouts: progress, refusals before anything is written,
// and failures that leave the old file as it was.
#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

#include "DetailExport.h"
#include "ReconciliationSheet.h"
#include "ReportSheetSamples.h"
#include "ScratchFolder.h"
#include "SheetError.h"

using namespace tally;
namespace samples = tally::testing;
using tally::testing::readText;
using tally::testing::ScratchFolder;
using tally::testing::writeText;

namespace {

sheet::OutputTarget xlsxTarget(const std::filesystem::path& path) { return sheet::chooseOutput(path.string(), {}); }

exports::DetailSheetRequest parkingRequest(const samples::ParkingSample& sample, const std::filesystem::path& path) {
    return {sample.headings, samples::sampleLabels("【翠湖管理处】停车费明细表"), xlsxTarget(path), {}};
}

sheet::SheetError exportError(const std::function<void()>& exportIt) {
    try {
        exportIt();
    } catch (const sheet::SheetError& e) {
        return e;
    }
    ADD_FAILURE() << "the export did not fail";
    return sheet::SheetError(0, "");
}

TEST(ReportExportProgress, CountsEveryRowOfTheResult) {
    ScratchFolder folder;
    const auto sample = samples::parkingWithTwoItems();
    auto request = parkingRequest(sample, folder / "停车.xlsx");
    std::vector<std::pair<int, int>> calls;
    request.progress = [&](int done, int total) { calls.emplace_back(done, total); };
    EXPECT_EQ(exports::ExportDetailResult(sample.result, sample.items, request), folder / "停车.xlsx");
    // Two detail rows, the grand total and two payment-method rows.
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}));
}

TEST(ReportExportProgress, ReconciliationCountsItsDataRows) {
    ScratchFolder folder;
    const auto table = samples::reconciliationWithItems(2);
    std::vector<std::pair<int, int>> calls;
    exports::ExportReconciliation(table, samples::sampleReconciliationLabels(), xlsxTarget(folder / "核对.xlsx"),
                                  [&](int done, int total) { calls.emplace_back(done, total); });
    ASSERT_EQ(calls.size(), static_cast<std::size_t>(table.rowCount() - 2));
    EXPECT_EQ(calls.front(), std::make_pair(1, table.rowCount() - 2));
    EXPECT_EQ(calls.back(), std::make_pair(table.rowCount() - 2, table.rowCount() - 2));
}

// Headings or fee items that do not fit the result mean the grid was laid out again
// after the run: refused before the workbook is opened.
TEST(ReportExportRefusals, HeadingsOfAnotherLayoutWriteNothing) {
    ScratchFolder folder;
    const auto sample = samples::parkingWithTwoItems();
    auto request = parkingRequest(sample, folder / "停车.xlsx");
    request.headings.addColumn("多余", "多余", 1000, true);
    const auto error = exportError([&] { exports::ExportDetailResult(sample.result, sample.items, request); });
    EXPECT_NE(error.description.find("列数"), std::string::npos) << error.description;
    EXPECT_TRUE(folder.names().empty());
}

TEST(ReportExportRefusals, FeeItemsOfAnotherRunWriteNothing) {
    ScratchFolder folder;
    const auto sample = samples::preInvoiceWithTwoOtherItems();
    auto items = sample.items;
    items[0].category = "停车";  // three columns instead of two
    exports::DetailSheetRequest request{
        sample.headings, samples::sampleLabels("预开"), xlsxTarget(folder / "预开.xlsx"), {}};
    const auto error = exportError([&] { exports::ExportDetailResult(sample.result, items, request); });
    EXPECT_NE(error.description.find("收费项目"), std::string::npos) << error.description;
    EXPECT_TRUE(folder.names().empty());
}

TEST(ReportExportRefusals, ResultOfAnUnknownReport) {
    struct OtherResult : reports::ReportResult {
        int rowCount() const override { return 1; }
        int columnCount() const override { return 4; }
        reports::DrawnRow drawRow(int) const override { return {}; }
    };
    ScratchFolder folder;
    const auto sample = samples::parkingWithTwoItems();
    const auto error =
        exportError([&] { exports::ExportDetailResult(OtherResult{}, {}, parkingRequest(sample, folder / "x.xlsx")); });
    EXPECT_EQ(error.number, sheet::sheet_errors::kBadCell);
    EXPECT_TRUE(folder.names().empty());
}

TEST(ReportExportFailures, FolderThatIsAFileIsAnErrorWithItsNumber) {
    ScratchFolder folder;
    writeText(folder / "报表", "a file, not a folder");
    const auto sample = samples::vatWithOneOtherItem();
    exports::DetailSheetRequest request{sample.headings,
                                        samples::sampleLabels("开票"),
                                        xlsxTarget(folder / "报表" / tally::testing::utf8Path("开票.xlsx")),
                                        {}};
    const auto error = exportError([&] { exports::ExportDetailResult(sample.result, sample.result.items(), request); });
    EXPECT_EQ(error.number, tally::testing::kNotAFolderError);
    EXPECT_EQ(readText(folder / "报表"), "a file, not a folder");
    EXPECT_EQ(folder.names(), std::set<std::string>{"报表"});
}

// An export that stops half-way (here the progress display fails) drops its workbook.
TEST(ReportExportFailures, ExportStoppedHalfWayKeepsTheOldFile) {
    ScratchFolder folder;
    writeText(folder / "停车.xlsx", "old contents");
    const auto sample = samples::parkingWithTwoItems();
    auto request = parkingRequest(sample, folder / "停车.xlsx");
    request.progress = [](int done, int) {
        if (done == 3) throw std::runtime_error("progress bar gone");
    };
    EXPECT_THROW(exports::ExportDetailResult(sample.result, sample.items, request), std::runtime_error);
    EXPECT_EQ(readText(folder / "停车.xlsx"), "old contents");
    EXPECT_EQ(folder.names(), std::set<std::string>{"停车.xlsx"});
}

TEST(ReportExportFailures, FailedXlsConversionKeepsTheOldFile) {
    ScratchFolder folder, tools;
    writeText(folder / "核对.xls", "old contents");
    // A converter that fails at once, whether or not LibreOffice is installed.
    const auto failing = tally::testing::failingProgram(tools);
    const auto target =
        sheet::chooseOutput((folder / "核对.xls").string(), [failing] { return std::optional(failing); });
    ASSERT_EQ(target.format, sheet::SheetFileFormat::Xls);
    const auto error = exportError([&] {
        exports::ExportReconciliation(samples::reconciliationWithItems(1), samples::sampleReconciliationLabels(),
                                      target);
    });
    EXPECT_EQ(error.number, sheet::sheet_errors::kConversionFailed);
    EXPECT_EQ(readText(folder / "核对.xls"), "old contents");
    EXPECT_EQ(folder.names(), std::set<std::string>{"核对.xls"});
}

// The signature line counts: 65,531 table rows make a sheet of 65,537 rows, one too many.
TEST(ReportExportRefusals, XlsLongerThanTheFormatHoldsIsRefusedBeforeAnythingIsWritten) {
    ScratchFolder folder;
    const auto sample = samples::parkingWithTwoItems();
    std::vector<reports::parking::ParkingRow> rows(65531, sample.result.rows().front());
    const reports::parking::ParkingResult longResult(std::move(rows), 6);
    auto request = parkingRequest(sample, folder / "停车.xls");
    request.target = sheet::chooseOutput((folder / "停车.xls").string(),
                                         [] { return std::optional<std::filesystem::path>("/bin/false"); });
    const auto error = exportError([&] { exports::ExportDetailResult(longResult, sample.items, request); });
    EXPECT_EQ(error.number, sheet::sheet_errors::kTooLargeForFormat);
    EXPECT_NE(error.description.find("65536"), std::string::npos) << error.description;
    EXPECT_NE(error.description.find(".xlsx"), std::string::npos) << error.description;
    EXPECT_TRUE(folder.names().empty());
}

TEST(ReportExportLabels, DepartmentLineEndsBeforeTheOfficeCode) {
    EXPECT_EQ(exports::departmentLine("0101 翠湖管理处【GL01】"), " 统计部门 : 0101 翠湖管理处");
    EXPECT_EQ(exports::departmentLine(""), " 统计部门 : ");
    EXPECT_EQ(exports::reconciliationPeriodLine({"t", "d", "2024", "03", "03"}), " 核对年月 : 2024 年 03 月 至 03 月");
}

}  // namespace

namespace {

// Where the table's subtotal rows are: rows whose 税率 cell reads "小计".
std::vector<int> subtotalRows(const reports::reconciliation::ReconciliationTable& table) {
    std::vector<int> rows;
    for (int r = 2; r < table.rowCount(); ++r)
        if (table.text(r, 2) == reports::reconciliation::kSubtotalMark) rows.push_back(r);
    return rows;
}

TEST(ReconciliationCheckLine, SaysAgreesOnlyWhenNoMonthHasADifference) {
    auto table = samples::reconciliationWithItems(2);
    const int difference = table.columnCount() - 2;
    const auto months = subtotalRows(table);
    ASSERT_EQ(months.size(), 2u);
    const std::string formula = "( 专用发票 + 普通发票 + 收据 = 财务交账 - 当月收预开票 + 当月未收预开票 )";
    EXPECT_EQ(exports::reconciliationCheckLine(table), " 核对结果: 相符 " + formula);

    table.setText(months[1], difference, "-171429.79");
    EXPECT_EQ(exports::reconciliationCheckLine(table), " 核对结果: 不符, 1 个月有差额 " + formula);
    table.setText(months[0], difference, "0.01");
    EXPECT_EQ(exports::reconciliationCheckLine(table), " 核对结果: 不符, 2 个月有差额 " + formula);
    // The grand total's row carries no difference of its own and is no month.
    table.setText(months[0], difference, "0.00");
    table.setText(months[1], difference, "0.00");
    table.setText(table.rowCount() - 1, difference, "5.00");
    EXPECT_EQ(exports::reconciliationCheckLine(table), " 核对结果: 相符 " + formula);
}

}  // namespace
