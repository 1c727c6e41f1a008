// Generating a demo file: reproducible for a seed, replaced only when complete, counts honoured.
#include <gtest/gtest.h>

#include <fstream>

#include "DemoDatabase.h"
#include "DemoSqlite.h"
#include "DemoTestSupport.h"

namespace tally::demo {
namespace {

namespace fs = std::filesystem;
using testing::countRows;
using testing::ScratchFolder;
using testing::tableDigests;

DemoOptions smallOptions(std::uint64_t seed) {
    DemoOptions options;
    options.seed = seed;
    options.invoicesPerYear = 400;
    return options;
}

// The table digests of a small demo file generated with `seed` as `name` in `folder`.
std::map<std::string, std::string> generatedDigests(const ScratchFolder& folder, const std::string& name,
                                                    std::uint64_t seed) {
    const std::string path = (folder / name).string();
    generateDemoDatabase(path, smallOptions(seed));
    return tableDigests(path);
}

TEST(DemoGeneration, SameSeedGivesTheSameRowsInEveryTable) {
    ScratchFolder folder;
    const auto digests = generatedDigests(folder, "first.sqlite", 7);
    EXPECT_EQ(digests.size(), 9u);
    EXPECT_EQ(digests, generatedDigests(folder, "second.sqlite", 7));
}

TEST(DemoGeneration, AnotherSeedGivesOtherInvoicesButTheSameReferenceTables) {
    ScratchFolder folder;
    const auto a = generatedDigests(folder, "seed7.sqlite", 7);
    const auto b = generatedDigests(folder, "seed8.sqlite", 8);
    EXPECT_NE(a.at("票据"), b.at("票据"));
    EXPECT_NE(a.at("票据开票数据"), b.at("票据开票数据"));
    EXPECT_EQ(a.at("职能部门new"), b.at("职能部门new"));
    EXPECT_EQ(a.at("收款方式列表"), b.at("收款方式列表"));
}

TEST(DemoGeneration, HonoursInvoiceCountYearsAndFirstYear) {
    ScratchFolder folder;
    const std::string path = (folder / "three-years.sqlite").string();
    const DemoOptions options{.invoicesPerYear = 37, .years = 3, .firstYear = 2030};
    const DemoSummary summary = generateDemoDatabase(path, options);
    EXPECT_EQ(summary.invoices, 111);

    SqliteFile file(path, SqliteFile::Mode::ReadOnly);
    EXPECT_EQ(countRows(file, "SELECT 1 FROM 票据"), 111);
    EXPECT_EQ(countRows(file, "SELECT 1 FROM 票据开票数据"), summary.lines);
    for (const char* year : {"2030", "2031", "2032"}) {
        SqliteStatement count(file, std::string("SELECT count(*) FROM 票据 WHERE 开票日期 LIKE '") + year + "-%'");
        ASSERT_TRUE(count.step());
        EXPECT_EQ(count.intAt(0), 37) << year;
    }
    // Collections may not run past the covered years either.
    EXPECT_EQ(countRows(file, "SELECT 1 FROM 票据 WHERE 收款日期 >= '2033' OR 作废日期 >= '2033'"), 0);
    EXPECT_EQ(countRows(file, "SELECT 1 FROM 职能部门new WHERE 终止日期 LIKE '2030-03-31%'"), 1);
}

TEST(DemoGeneration, OneInvoiceAYearStillMakesAValidFile) {
    ScratchFolder folder;
    const std::string path = (folder / "tiny.sqlite").string();
    const DemoOptions options{.invoicesPerYear = 1, .years = 1};
    EXPECT_EQ(generateDemoDatabase(path, options).invoices, 1);
    SqliteFile file(path, SqliteFile::Mode::ReadOnly);
    EXPECT_EQ(countRows(file, "SELECT 1 FROM 票据"), 1);
}

TEST(DemoGeneration, ReplacesAnExistingFileAndLeavesNoTemporaryBehind) {
    ScratchFolder folder;
    const fs::path path = folder / "demo.sqlite";
    std::ofstream(path) << "not a database";
    generateDemoDatabase(path.string(), smallOptions(1));

    SqliteFile file(path.string(), SqliteFile::Mode::ReadOnly);
    EXPECT_EQ(countRows(file, "SELECT 1 FROM 票据"), 800);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(DemoGeneration, FailureLeavesTheExistingFileAndNoTemporary) {
    ScratchFolder folder;
    const fs::path missing = (folder / "no-such-folder") / "demo.sqlite";
    EXPECT_THROW(generateDemoDatabase(missing.string(), smallOptions(1)), DemoError);
    EXPECT_FALSE(fs::exists(missing.parent_path()));

    const fs::path target = folder / "keep.sqlite";
    std::ofstream(target) << "old";
    DemoOptions bad = smallOptions(1);
    bad.years = 0;
    EXPECT_THROW(generateDemoDatabase(target.string(), bad), DemoError);
    std::ifstream kept(target);
    std::string content;
    kept >> content;
    EXPECT_EQ(content, "old");
}

TEST(DemoGeneration, RejectsOptionsOutOfRange) {
    DemoOptions options;
    options.invoicesPerYear = 0;
    EXPECT_THROW(validateDemoOptions(options), DemoError);
    options = {};
    options.years = 0;
    EXPECT_THROW(validateDemoOptions(options), DemoError);
    options = {};
    options.firstYear = 999;
    EXPECT_THROW(validateDemoOptions(options), DemoError);
    options = {};
    options.firstYear = 9999;
    options.years = 2;
    EXPECT_THROW(validateDemoOptions(options), DemoError);
    options.years = 1;
    EXPECT_NO_THROW(validateDemoOptions(options));
}

}  // namespace
}  // namespace tally::demo
