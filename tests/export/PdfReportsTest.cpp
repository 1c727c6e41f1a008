// The four reports printed to PDF and read back with pdftotext: the pages the rows need,
// the headings on every page, the title on the first only, the last row, the totals and
// the signature line on the last, and nothing cut off at the right edge.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "PdfFile.h"
#include "PdfReadBack.h"
#include "PdfSamples.h"
#include "ScratchFolder.h"
#include "SheetError.h"
#include "TablePages.h"

using namespace tally;
using namespace tally::testing;

namespace {

struct SampleCase {
    std::string name;
    std::function<PdfSample(int)> make;
    int rows;
};

void PrintTo(const SampleCase& c, std::ostream* os) { *os << c.name; }

std::string withoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

class PdfReport : public ::testing::TestWithParam<SampleCase> {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
    ScratchFolder folder;
};

TEST_P(PdfReport, EveryPageCarriesTheHeadingsAndTheRowsFollowInOrder) {
    const PdfSample sample = GetParam().make(GetParam().rows);
    const auto file = folder / (sample.name + ".pdf");
    ASSERT_EQ(pdf::writePdf(sample.table, file), file);
    if (!kLinuxToolsRun) GTEST_SKIP() << kNoLinuxTools;
    const std::vector<std::string> pages = pdfPages(file);
    ASSERT_GE(pages.size(), 3u) << "the sample should need several pages";
    const int pageCount = static_cast<int>(pages.size());

    std::vector<int> numbers;
    std::vector<std::size_t> perPage;
    for (int p = 0; p < pageCount; ++p) {
        const std::string& page = pages[p];
        SCOPED_TRACE("page " + std::to_string(p + 1) + ":\n" + page);
        for (const std::string& heading : sample.headingTexts) EXPECT_TRUE(contains(page, heading)) << heading;
        EXPECT_TRUE(contains(page, sample.rightmostHeading)) << "cut at the right edge";
        EXPECT_EQ(contains(page, sample.table.title), p == 0);
        EXPECT_EQ(contains(page, "统计部门 : 0101 翠湖管理处"), p == 0);
        // pdftotext may drop the blanks of the small footer.
        EXPECT_TRUE(
            contains(withoutBlanks(page), "第" + std::to_string(p + 1) + "页共" + std::to_string(pageCount) + "页"));
        const auto onPage = rowNumbers(page);
        perPage.push_back(onPage.size());
        numbers.insert(numbers.end(), onPage.begin(), onPage.end());
    }
    // Every row once, in order, none lost at a page break.
    ASSERT_EQ(numbers.size(), static_cast<std::size_t>(sample.numberedRows));
    for (int i = 0; i < sample.numberedRows; ++i) ASSERT_EQ(numbers[i], i + 1) << "at position " << i;
    // The title leaves page 1 fewer rows; the pages between are full and alike.
    for (int p = 2; p + 1 < pageCount; ++p) EXPECT_EQ(perPage[p], perPage[1]) << "page " << p + 1;
    EXPECT_LT(perPage[0], perPage[1]);
    EXPECT_LE(perPage.back(), perPage[1]);

    const std::string& last = pages.back();
    for (const std::string& text : sample.lastPageTexts) EXPECT_TRUE(contains(last, text)) << text << "\n" << last;
}

TEST_P(PdfReport, LaidOutPagesMatchThePrintedFile) {
    const PdfSample sample = GetParam().make(GetParam().rows);
    const pdf::TablePages pages(sample.table);
    const auto file = folder / "out.pdf";
    pdf::writePdf(sample.table, file);
    // The pages cover the rows once, without gaps.
    int next = 0;
    for (int p = 0; p < pages.pageCount(); ++p) {
        EXPECT_EQ(pages.rows(p).first, next);
        next = pages.rows(p).end;
    }
    EXPECT_EQ(next, sample.table.rowCount);
    EXPECT_GT(pages.scale(), 0);
    EXPECT_LE(pages.scale(), 1);
    if (!kLinuxToolsRun) GTEST_SKIP() << kNoLinuxTools;
    EXPECT_EQ(static_cast<int>(pdfPages(file).size()), pages.pageCount());
}

INSTANTIATE_TEST_SUITE_P(Reports, PdfReport,
                         ::testing::Values(SampleCase{"parking", parkingSample, 150},
                                           SampleCase{"vat_invoicing", vatSample, 120},
                                           SampleCase{"pre_invoicing", preInvoiceSample, 150},
                                           SampleCase{"reconciliation", reconciliationSample, 40}),
                         [](const auto& info) { return info.param.name; });

class PdfFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
    ScratchFolder folder;
};

// A table narrower than the paper keeps its size: A4 landscape less 1 cm margins and the
// page-number band leaves 10412 twips; less the two 300-twip heading rows, 32 rows of 300
// twips fit, and on page 1 the 480-twip title and two 300-twip condition lines leave 29.
TEST_F(PdfFile, NarrowTableFillsA4AtItsOwnSize) {
    const PdfSample sample = parkingSample(90);  // 93 rows with the totals
    ASSERT_EQ(pdf::TablePages(sample.table).scale(), 1.0);
    const auto file = folder / "parking.pdf";
    pdf::writePdf(sample.table, file);
    if (!kLinuxToolsRun) GTEST_SKIP() << kNoLinuxTools;
    const auto pages = pdfPages(file);
    ASSERT_EQ(pages.size(), 4u);  // 29 + 32 + 32 = 93 rows, the signature line alone on page 4
    EXPECT_EQ(rowNumbers(pages[0]).size(), 29u);
    EXPECT_EQ(rowNumbers(pages[0]).back(), 29);
    EXPECT_EQ(rowNumbers(pages[2]).back(), 93);
    EXPECT_TRUE(rowNumbers(pages[3]).empty());
    EXPECT_TRUE(contains(pages[3], "总仓管理员:"));
    EXPECT_TRUE(contains(pages[3], "开发商70%")) << "the headings head the signature's page too";
}

TEST_F(PdfFile, ReplacesAnExistingFileAndLeavesNoTemporaryBehind) {
    const auto file = folder / "报表.pdf";
    { std::ofstream(file) << "old"; }
    pdf::writePdf(parkingSample(3).table, file);
    EXPECT_EQ(folder.names(), std::set<std::string>{"报表.pdf"});
    if (!kLinuxToolsRun) GTEST_SKIP() << kNoLinuxTools;
    const auto pages = pdfPages(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(contains(pages[0], "【翠湖管理处】停车费明细表"));
}

TEST_F(PdfFile, UnwritableFolderIsAnErrorAndNoFile) {
    const auto file = folder / "missing" / utf8Path("报表.pdf");
    EXPECT_THROW(pdf::writePdf(parkingSample(3).table, file), sheet::SheetError);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(PdfFile, HeadingsOfAnotherWidthAreRefused) {
    PdfSample sample = parkingSample(3);
    sample.table.widthsTwips.pop_back();
    EXPECT_THROW(pdf::writePdf(sample.table, folder / "x.pdf"), sheet::SheetError);
    EXPECT_FALSE(std::filesystem::exists(folder / "x.pdf"));
}

}  // namespace
