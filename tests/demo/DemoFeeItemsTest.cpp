// Demo files with more fee items: the same invoices as without them, every item in use every month.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "DemoDatabase.h"
#include "DemoMoney.h"
#include "DemoSqlite.h"
#include "DemoTestSupport.h"

namespace tally::demo {
namespace {

using testing::countRows;
using testing::ScratchFolder;
using testing::tableDigests;

DemoOptions withItems(int feeItems) {
    DemoOptions options;
    options.seed = 5;
    options.invoicesPerYear = 300;
    options.feeItems = feeItems;
    return options;
}

std::int64_t cents(double amount) { return std::llround(amount * 100.0); }

// Each invoice (batch/number) with the sum of its lines, in cents.
std::map<std::string, std::int64_t> lineSums(SqliteFile& file) {
    SqliteStatement lines(file, "SELECT 入库单编号 || '/' || 票据编号, 金额 FROM 票据开票数据");
    std::map<std::string, std::int64_t> sums;
    while (lines.step()) sums[lines.textAt(0)] += cents(lines.realAt(1));
    return sums;
}

std::vector<std::string> column(SqliteFile& file, const std::string& sql) {
    SqliteStatement rows(file, sql);
    std::vector<std::string> values;
    while (rows.step()) values.push_back(rows.textAt(0));
    return values;
}

TEST(DemoFeeItems, ThirtyAndThreeHundredItemsGiveTheInvoicesOfTheSeed) {
    ScratchFolder folder;
    std::map<int, std::map<std::string, std::string>> digests;
    std::map<int, std::map<std::string, std::int64_t>> sums;
    for (int count : {0, 30, 300}) {
        const std::string path = (folder / ("items-" + std::to_string(count) + ".sqlite")).string();
        generateDemoDatabase(path, withItems(count));
        digests[count] = tableDigests(path);
        SqliteFile file(path, SqliteFile::Mode::ReadOnly);
        sums[count] = lineSums(file);
        EXPECT_EQ(countRows(file, "SELECT 1 FROM setupsfxm"), count == 0 ? 12 : count);
    }
    for (const char* table : {"票据", "票据入库单", "票据类型", "职能部门new", "设置管理处", "收款方式列表"}) {
        EXPECT_EQ(digests[30].at(table), digests[0].at(table)) << table;
        EXPECT_EQ(digests[300].at(table), digests[0].at(table)) << table;
    }
    EXPECT_NE(digests[300].at("票据开票数据"), digests[30].at("票据开票数据"));
    // Only the split into lines differs: every invoice's lines still add up to the same total.
    EXPECT_EQ(sums[0].size(), 600u);
    EXPECT_EQ(sums[30], sums[0]);
    EXPECT_EQ(sums[300], sums[0]);
}

TEST(DemoFeeItems, SameSeedAndCountGiveTheSameRows) {
    ScratchFolder folder;
    generateDemoDatabase((folder / "a.sqlite").string(), withItems(40));
    generateDemoDatabase((folder / "b.sqlite").string(), withItems(40));
    EXPECT_EQ(tableDigests((folder / "a.sqlite").string()), tableDigests((folder / "b.sqlite").string()));
}

TEST(DemoFeeItems, CountOutsideItsRangeIsRefused) {
    DemoOptions options;
    options.feeItems = 11;
    EXPECT_THROW(validateDemoOptions(options), DemoError);
    options.feeItems = -1;
    EXPECT_THROW(validateDemoOptions(options), DemoError);
    options.feeItems = 100001;
    EXPECT_THROW(validateDemoOptions(options), DemoError);
    options.feeItems = 12;
    EXPECT_NO_THROW(validateDemoOptions(options));
    options.feeItems = 100000;
    EXPECT_NO_THROW(validateDemoOptions(options));
}

// One database with 300 items, read by every case below.
class ManyFeeItems : public ::testing::Test {
protected:
    static constexpr int kItems = 300;

    static void SetUpTestSuite() { path_ = testing::sharedDemoDatabase(withItems(kItems)); }
    void SetUp() override { file_ = std::make_unique<SqliteFile>(path_, SqliteFile::Mode::ReadOnly); }

    std::int64_t rows(std::string_view sql) { return countRows(*file_, sql); }

    std::unique_ptr<SqliteFile> file_;
    static inline std::string path_;
};

TEST_F(ManyFeeItems, ItemsHaveUniqueCodesAndColumnNamesAndTheUsualRates) {
    EXPECT_EQ(rows("SELECT DISTINCT dh FROM setupsfxm"), kItems);
    // The reports name their columns after xm without brackets and "%".
    EXPECT_EQ(rows("SELECT DISTINCT replace(replace(replace(replace(replace(xm, '(', ''), ')', ''), '（', ''), "
                   "'）', ''), '%', '') FROM setupsfxm"),
              kItems);
    EXPECT_EQ(rows("SELECT 1 FROM setupsfxm WHERE 税率 NOT IN (0, 0.06, 0.09, 0.13) OR 显示名称 IS NULL "
                   "OR 收费类别 IS NULL OR xm IS NULL OR xm = ''"),
              0);
    EXPECT_EQ(rows("SELECT DISTINCT 税率 FROM setupsfxm"), 4);
    EXPECT_EQ(rows("SELECT 1 FROM setupsfxm WHERE xm = '维修基金'"), 1);
    const std::int64_t parking = rows("SELECT 1 FROM setupsfxm WHERE 收费类别 LIKE '%停车%'");
    EXPECT_GT(parking, 3);
    EXPECT_LT(parking, kItems / 5);
}

TEST_F(ManyFeeItems, TheBuiltInItemsComeFirstUnchanged) {
    ScratchFolder folder;
    const std::string plain = (folder / "plain.sqlite").string();
    DemoOptions options = withItems(0);
    options.invoicesPerYear = 1;
    generateDemoDatabase(plain, options);
    SqliteFile builtIn(plain, SqliteFile::Mode::ReadOnly);
    const std::string sql =
        "SELECT dh || '|' || xm || '|' || 税率 || '|' || 收费类别 || '|' || 显示名称 "
        "FROM setupsfxm ORDER BY rowid";
    const auto expected = column(builtIn, sql);
    const auto actual = column(*file_, sql + " LIMIT " + std::to_string(expected.size()));
    EXPECT_EQ(actual, expected);
}

TEST_F(ManyFeeItems, EveryOfficeKnowsEveryItemOfItsDepartmentOnce) {
    // Every item but the fund for every office; the fund for the offices of its department.
    SqliteStatement offices(*file_,
                            "SELECT gyd_dh, 对应部门代号, count(DISTINCT DH), count(*) FROM 设置管理处 "
                            "JOIN 税控盘收费项目设置 ON 管理处 = gyd_dh GROUP BY gyd_dh, 对应部门代号");
    int seen = 0;
    while (offices.step()) {
        ++seen;
        const std::int64_t expected = offices.textAt(1) == "02" ? kItems : kItems - 1;
        EXPECT_EQ(offices.intAt(2), expected) << offices.textAt(0);
        EXPECT_EQ(offices.intAt(3), expected) << offices.textAt(0);
    }
    EXPECT_EQ(seen, 6);
    EXPECT_EQ(rows("SELECT 1 FROM 税控盘收费项目设置 WHERE DH NOT IN (SELECT dh FROM setupsfxm)"), 0);
    // The rates the tax-control devices miss stay missing.
    EXPECT_EQ(rows("SELECT 1 FROM 税控盘收费项目设置 WHERE 税率 IS NULL"), 3);
}

TEST_F(ManyFeeItems, EveryItemOfADepartmentIsInEachMonthItInvoices) {
    // Lines of the department's invoices of one month (tickets aside), against the items its
    // offices know; months without invoices (the closed department's later ones) have no lines.
    SqliteStatement months(*file_,
                           "SELECT t.开票部门编号, substr(t.开票日期, 1, 7), count(DISTINCT l.收费项目代号), "
                           "(SELECT count(DISTINCT DH) FROM 税控盘收费项目设置 JOIN 设置管理处 ON 管理处 = gyd_dh "
                           " WHERE 对应部门代号 = t.开票部门编号) "
                           "FROM 票据 t JOIN 票据开票数据 l ON l.票据编号 = t.票据编号 AND l.入库单编号 = t.入库单编号 "
                           "JOIN 票据入库单 b ON b.入库单编号 = t.入库单编号 "
                           "JOIN 票据类型 ON 票据类型代号 = b.票据类型编号 WHERE 定额 = 0 GROUP BY 1, 2");
    std::map<std::string, int> monthsOf;
    while (months.step()) {
        ++monthsOf[months.textAt(0)];
        EXPECT_EQ(months.intAt(2), months.intAt(3)) << months.textAt(0) << " " << months.textAt(1);
    }
    EXPECT_EQ(monthsOf.size(), 5u);
    EXPECT_LE(monthsOf["03"], 3);  // closed at the end of March
    EXPECT_EQ(rows("SELECT DISTINCT t.开票部门编号 FROM 票据开票数据 l JOIN 票据 t ON l.票据编号 = t.票据编号 "
                   "AND l.入库单编号 = t.入库单编号 JOIN setupsfxm ON dh = l.收费项目代号 WHERE xm = '维修基金'"),
              1);
}

TEST_F(ManyFeeItems, LinesAddUpTheirInvoiceAndFollowTheirItem) {
    EXPECT_EQ(rows("SELECT 1 FROM 票据开票数据 GROUP BY 入库单编号, 票据编号, 收费项目代号 HAVING count(*) > 1"), 0);
    EXPECT_EQ(rows("SELECT 1 FROM 票据 t WHERE CAST(round(t.金额 * 100) AS INTEGER) <> (SELECT "
                   "sum(CAST(round(l.金额 * 100) AS INTEGER)) FROM 票据开票数据 l "
                   "WHERE l.票据编号 = t.票据编号 AND l.入库单编号 = t.入库单编号)"),
              0);
    // A line has its invoice's sign; zero only where an invoice has fewer cents than lines.
    EXPECT_EQ(rows("SELECT 1 FROM 票据开票数据 l JOIN 票据 t ON l.票据编号 = t.票据编号 "
                   "AND l.入库单编号 = t.入库单编号 WHERE l.金额 * t.金额 < 0 OR (l.金额 = 0 AND "
                   "abs(t.金额) * 100 >= (SELECT count(*) FROM 票据开票数据 o "
                   "WHERE o.票据编号 = t.票据编号 AND o.入库单编号 = t.入库单编号))"),
              0);
    SqliteStatement lines(*file_,
                          "SELECT l.金额, l.税额, s.税率 FROM 票据开票数据 l JOIN setupsfxm s ON s.dh = l.收费项目代号 "
                          "WHERE l.税额 IS NOT NULL");
    std::int64_t checked = 0;
    int mismatches = 0;
    while (lines.step()) {
        ++checked;
        const std::int64_t rate = std::llround(lines.realAt(2) * 10000.0);
        if (cents(lines.realAt(1)) != includedTaxCents(cents(lines.realAt(0)), rate) && ++mismatches <= 3)
            ADD_FAILURE() << "amount " << lines.realAt(0) << " rate " << lines.realAt(2) << " tax " << lines.realAt(1);
    }
    EXPECT_GT(checked, 0);
    EXPECT_EQ(mismatches, 0);
    EXPECT_GE(rows("SELECT 1 FROM 票据开票数据 WHERE 税额 IS NULL"), 1);
}

TEST_F(ManyFeeItems, FixedAmountTicketsKeepTheirOneParkingLine) {
    EXPECT_GE(rows("SELECT 1 FROM 票据 t JOIN 票据入库单 b ON b.入库单编号 = t.入库单编号 "
                   "JOIN 票据类型 ON 票据类型代号 = b.票据类型编号 WHERE 定额 = 1"),
              1);
    EXPECT_EQ(rows("SELECT 1 FROM 票据开票数据 l JOIN 票据入库单 b ON b.入库单编号 = l.入库单编号 "
                   "JOIN 票据类型 ON 票据类型代号 = b.票据类型编号 WHERE 定额 = 1 "
                   "AND (l.收费项目代号 <> '0302' OR (SELECT count(*) FROM 票据开票数据 o "
                   "WHERE o.票据编号 = l.票据编号 AND o.入库单编号 = l.入库单编号) <> 1)"),
              0);
}

}  // namespace
}  // namespace tally::demo
