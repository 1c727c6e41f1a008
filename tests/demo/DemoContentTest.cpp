// What the demo database holds: every case the reports must cope with, and the rules the rows keep.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "DemoDatabase.h"
#include "DemoMoney.h"
#include "DemoSqlite.h"
#include "DemoTestSupport.h"

namespace tally::demo {
namespace {

using testing::countRows;

constexpr std::int64_t kInvoicesPerYear = 2000;

class DemoContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        DemoOptions options;
        options.invoicesPerYear = kInvoicesPerYear;
        path_ = testing::sharedDemoDatabase(options);
    }

    void SetUp() override { file_ = std::make_unique<SqliteFile>(path_, SqliteFile::Mode::ReadOnly); }

    std::int64_t rows(std::string_view sql) { return countRows(*file_, sql); }

    static std::int64_t cents(double amount) { return std::llround(amount * 100.0); }

    std::unique_ptr<SqliteFile> file_;
    static inline std::string path_;
};

struct ContentCase {
    const char* name;
    const char* sql;  // returns a row for every occurrence of the case
    std::int64_t minimumRows;
};

constexpr ContentCase kCases[] = {
    {"FourActiveDepartmentsWithCodesOfDifferentLengths",
     "SELECT count(*) FROM 职能部门new WHERE 终止日期 IS NULL "
     "HAVING count(*) >= 4 AND count(DISTINCT length(职能部门编号)) >= 2",
     1},
    {"ClosedDepartment", "SELECT 1 FROM 职能部门new WHERE 终止日期 IS NOT NULL", 1},
    {"OfficeNameWithLineBreak", "SELECT 1 FROM 设置管理处 WHERE instr(gyd_name, char(13, 10)) > 0", 1},
    {"DepartmentWithTwoOffices", "SELECT 对应部门代号 FROM 设置管理处 GROUP BY 对应部门代号 HAVING count(*) >= 2", 1},
    {"FreeAmountInvoiceTypesInUse",
     "SELECT count(*) FROM 票据 JOIN 票据入库单 USING (入库单编号) JOIN 票据类型 ON 票据类型编号 = 票据类型代号 "
     "WHERE 定额 = 0 AND 票据类型 IN ('增值税专用发票', '增值税普通发票', '增值税电子普通发票', '电子发票', '收据') "
     "HAVING count(DISTINCT 票据类型) = 5",
     1},
    {"FixedAmountTypeInUse",
     "SELECT 1 FROM 票据 JOIN 票据入库单 USING (入库单编号) JOIN 票据类型 ON 票据类型编号 = 票据类型代号 WHERE 定额 = "
     "1",
     1},
    {"NumberReusedInAnotherBatchOfTheSameDepartment",
     "SELECT 1 FROM 票据 GROUP BY 开票部门编号, 票据编号 HAVING count(DISTINCT 入库单编号) >= 2", 3},
    {"NumberWithLeadingZeros", "SELECT 1 FROM 票据 WHERE 票据编号 LIKE '0%'", 1},
    {"ThreeParkingItems", "SELECT count(*) FROM setupsfxm WHERE 收费类别 LIKE '%停车%' HAVING count(*) = 3", 1},
    {"MaintenanceFundUsedByOneDepartmentOnly",
     "SELECT count(*) FROM 票据开票数据 l JOIN 票据 t ON t.票据编号 = l.票据编号 AND t.入库单编号 = l.入库单编号 "
     "JOIN setupsfxm ON dh = 收费项目代号 WHERE xm = '维修基金' HAVING count(DISTINCT 开票部门编号) = 1",
     1},
    {"TaxControlRatesOfAllFourKinds",
     "SELECT count(*) FROM 税控盘收费项目设置 WHERE 税率 IN (0.06, 0.09, 0.13, 0) HAVING count(DISTINCT 税率) = 4", 1},
    {"TaxControlRateMissing", "SELECT 1 FROM 税控盘收费项目设置 WHERE 税率 IS NULL", 1},
    {"LineWithoutTax", "SELECT 1 FROM 票据开票数据 WHERE 税额 IS NULL", 1},
    {"AmountsWithCents", "SELECT 1 FROM 票据开票数据 WHERE CAST(round(abs(金额) * 100) AS INTEGER) % 100 <> 0", 1},
    {"VoidedPositiveInvoice", "SELECT 1 FROM 票据 WHERE 作废日期 IS NOT NULL AND 金额 > 0", 1},
    {"VoidedNegativeInvoice", "SELECT 1 FROM 票据 WHERE 作废日期 IS NOT NULL AND 金额 < 0", 1},
    {"NegativeInvoice",
     "SELECT 1 FROM 票据 WHERE 金额 < 0 AND 作废日期 IS NULL AND 被换票票据编号 IS NULL AND 收款日期 IS NOT NULL", 1},
    {"ExchangeInvoice", "SELECT 1 FROM 票据 WHERE 被换票票据编号 IS NOT NULL AND 金额 > 0", 1},
    {"NegativeExchangeInvoice", "SELECT 1 FROM 票据 WHERE 被换票票据编号 IS NOT NULL AND 金额 < 0", 1},
    {"PreIssuedCollectedInALaterMonth",
     "SELECT 1 FROM 票据 WHERE 预开 = 1 AND substr(收款日期, 1, 7) > substr(开票日期, 1, 7)", 1},
    {"PreIssuedNeverCollected", "SELECT 1 FROM 票据 WHERE 预开 = 1 AND 收款日期 IS NULL", 1},
    {"CollectedOnTheDayOfIssue", "SELECT 1 FROM 票据 WHERE substr(收款日期, 1, 10) = substr(开票日期, 1, 10)", 1},
    {"OnlinePaymentWithTransactionNumber", "SELECT 1 FROM 票据 WHERE 交易订单号 IS NOT NULL AND 收款日期 IS NOT NULL",
     1},
    {"PaidByWeixinShortName", "SELECT 1 FROM 票据 WHERE 收款方式 = '微信'", 1},
    {"CollectedWithoutPaymentMethod", "SELECT 1 FROM 票据 WHERE 收款方式 IS NULL AND 收款日期 IS NOT NULL", 1},
    {"BatchCollectedTogetherAtOneMoment",
     "SELECT 1 FROM 票据 WHERE 收款日期 IS NOT NULL AND substr(收款日期, 12) <> '00:00:00' "
     "GROUP BY 入库单编号, 收款日期 HAVING count(*) >= 2",
     1},
    {"PayerWithLineBreak", "SELECT 1 FROM 票据 WHERE instr(付款人, char(13, 10)) > 0", 1},
    {"AddressMissing", "SELECT 1 FROM 票据 WHERE 地址 IS NULL", 1},
    {"BothYearsCovered", "SELECT count(*) FROM 票据 HAVING min(开票日期) LIKE '2025-%' AND max(开票日期) LIKE '2026-%'",
     1},
};

void PrintTo(const ContentCase& c, std::ostream* out) { *out << c.name; }

class DemoContentCase : public DemoContent, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(DemoContentCase, IsPresent) {
    const ContentCase& c = GetParam();
    EXPECT_GE(rows(c.sql), c.minimumRows) << c.sql;
}

INSTANTIATE_TEST_SUITE_P(Cases, DemoContentCase, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ContentCase>& info) {
                             return std::string(info.param.name);
                         });

// Statements that must return nothing: each row would be a broken rule.
struct BrokenRule {
    const char* name;
    const char* sql;
};

constexpr BrokenRule kRules[] = {
    {"NumberTwiceInOneBatch", "SELECT 1 FROM 票据 GROUP BY 入库单编号, 票据编号 HAVING count(*) > 1"},
    {"InvoiceOfUnknownBatch", "SELECT 1 FROM 票据 WHERE 入库单编号 NOT IN (SELECT 入库单编号 FROM 票据入库单)"},
    {"BatchOfUnknownType", "SELECT 1 FROM 票据入库单 WHERE 票据类型编号 NOT IN (SELECT 票据类型代号 FROM 票据类型)"},
    {"InvoiceWithoutLines",
     "SELECT 1 FROM 票据 t WHERE NOT EXISTS (SELECT 1 FROM 票据开票数据 l "
     "WHERE l.票据编号 = t.票据编号 AND l.入库单编号 = t.入库单编号)"},
    {"LineWithoutInvoice",
     "SELECT 1 FROM 票据开票数据 l WHERE NOT EXISTS (SELECT 1 FROM 票据 t "
     "WHERE l.票据编号 = t.票据编号 AND l.入库单编号 = t.入库单编号)"},
    {"LineOfUnknownFeeItem", "SELECT 1 FROM 票据开票数据 WHERE 收费项目代号 NOT IN (SELECT dh FROM setupsfxm)"},
    {"InvoiceOfUnknownDepartment",
     "SELECT 1 FROM 票据 WHERE 开票部门编号 NOT IN (SELECT 职能部门编号 FROM 职能部门new)"},
    {"OfficeOfUnknownDepartment",
     "SELECT 1 FROM 设置管理处 WHERE 对应部门代号 NOT IN (SELECT 职能部门编号 FROM 职能部门new)"},
    {"TaxControlItemUnknown", "SELECT 1 FROM 税控盘收费项目设置 WHERE DH NOT IN (SELECT dh FROM setupsfxm)"},
    {"TaxControlItemTwiceForAnOffice", "SELECT 1 FROM 税控盘收费项目设置 GROUP BY DH, 管理处 HAVING count(*) > 1"},
    {"InvoiceOfClosedDepartmentAfterClosing",
     "SELECT 1 FROM 票据 t JOIN 职能部门new ON 职能部门编号 = 开票部门编号 WHERE 开票日期 >= 终止日期"},
    {"CollectedBeforeIssue", "SELECT 1 FROM 票据 WHERE 收款日期 < 开票日期"},
    {"VoidedBeforeIssue", "SELECT 1 FROM 票据 WHERE 作废日期 < 开票日期"},
    {"DateTimeNotInStoredForm",
     "SELECT 1 FROM 票据 WHERE 开票日期 NOT GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] "
     "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]'"},
    {"TransactionNumberWithoutOnlinePayment",
     "SELECT 1 FROM 票据 WHERE 交易订单号 IS NOT NULL AND 收款方式 NOT IN ('微信支付', '微信', '支付宝')"},
};

void PrintTo(const BrokenRule& r, std::ostream* out) { *out << r.name; }

class DemoRule : public DemoContent, public ::testing::WithParamInterface<BrokenRule> {};

TEST_P(DemoRule, IsKept) { EXPECT_EQ(rows(GetParam().sql), 0) << GetParam().sql; }

INSTANTIATE_TEST_SUITE_P(Rules, DemoRule, ::testing::ValuesIn(kRules),
                         [](const ::testing::TestParamInfo<BrokenRule>& info) { return std::string(info.param.name); });

TEST_F(DemoContent, InvoiceCountPerYearIsTheRequestedOne) {
    SqliteStatement years(*file_, "SELECT substr(开票日期, 1, 4), count(*) FROM 票据 GROUP BY 1 ORDER BY 1");
    ASSERT_TRUE(years.step());
    EXPECT_EQ(years.textAt(0), "2025");
    EXPECT_EQ(years.intAt(1), kInvoicesPerYear);
    ASSERT_TRUE(years.step());
    EXPECT_EQ(years.textAt(0), "2026");
    EXPECT_EQ(years.intAt(1), kInvoicesPerYear);
    EXPECT_FALSE(years.step());
}

TEST_F(DemoContent, InvoicesHaveOneToFiveLinesAboutThreeOnAverage) {
    SqliteStatement counts(*file_,
                           "SELECT min(n), max(n), avg(n) FROM (SELECT count(*) AS n FROM 票据开票数据 "
                           "GROUP BY 入库单编号, 票据编号)");
    ASSERT_TRUE(counts.step());
    EXPECT_EQ(counts.intAt(0), 1);
    EXPECT_EQ(counts.intAt(1), 5);
    EXPECT_GT(counts.realAt(2), 2.5);
    EXPECT_LT(counts.realAt(2), 3.5);
}

TEST_F(DemoContent, InvoiceAmountIsTheSumOfItsLinesToTheCent) {
    SqliteStatement invoices(*file_,
                             "SELECT t.票据编号, t.入库单编号, t.金额, l.金额 FROM 票据 t "
                             "JOIN 票据开票数据 l ON l.票据编号 = t.票据编号 AND l.入库单编号 = t.入库单编号 "
                             "ORDER BY t.rowid");
    std::string key;
    std::int64_t expected = 0;
    std::int64_t sum = 0;
    int mismatches = 0;
    auto finish = [&] {
        if (!key.empty() && sum != expected && ++mismatches <= 3)
            ADD_FAILURE() << key << ": invoice " << expected << " cents, lines " << sum;
    };
    while (invoices.step()) {
        const std::string current = invoices.textAt(1) + "/" + invoices.textAt(0);
        if (current != key) {
            finish();
            key = current;
            expected = cents(invoices.realAt(2));
            sum = 0;
        }
        sum += cents(invoices.realAt(3));
    }
    finish();
    EXPECT_FALSE(key.empty());
    EXPECT_EQ(mismatches, 0);
}

TEST_F(DemoContent, LineTaxFollowsTheFeeItemRate) {
    SqliteStatement lines(*file_,
                          "SELECT l.金额, l.税额, s.税率 FROM 票据开票数据 l JOIN setupsfxm s ON s.dh = l.收费项目代号 "
                          "WHERE l.税额 IS NOT NULL");
    std::int64_t checked = 0;
    int mismatches = 0;
    while (lines.step()) {
        ++checked;
        const std::int64_t amount = cents(lines.realAt(0));
        const std::int64_t rate = std::llround(lines.realAt(2) * 10000.0);
        if (cents(lines.realAt(1)) != includedTaxCents(amount, rate) && ++mismatches <= 3)
            ADD_FAILURE() << "amount " << lines.realAt(0) << " rate " << lines.realAt(2) << " tax " << lines.realAt(1);
    }
    EXPECT_GT(checked, 0);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(DemoContent, PaymentMethodsAreListedInTheirFixedOrder) {
    SqliteStatement methods(*file_, "SELECT 收款方式 FROM 收款方式列表 ORDER BY rowid");
    std::string listed;
    while (methods.step()) listed += methods.textAt(0) + ",";
    EXPECT_EQ(listed, "现金,微信支付,支付宝,银行转账,POS刷卡,");
}

TEST_F(DemoContent, EveryFeeItemRateIsOneOfTheFourRates) {
    EXPECT_EQ(rows("SELECT 1 FROM setupsfxm WHERE 税率 NOT IN (0.06, 0.09, 0.13, 0) OR 显示名称 IS NULL"), 0);
    EXPECT_GE(rows("SELECT 1 FROM setupsfxm"), 10);
}

TEST_F(DemoContent, IndexesAndStatisticsAreInPlace) {
    const char* sourceDir = std::getenv("TALLY_SOURCE_DIR");
    if (!sourceDir) GTEST_SKIP() << "TALLY_SOURCE_DIR is set by ctest; it locates indexes.sql";
    std::ifstream indexes(std::filesystem::path(sourceDir) / "demo" / "indexes.sql");
    const std::string text((std::istreambuf_iterator<char>(indexes)), std::istreambuf_iterator<char>());
    std::int64_t created = 0;
    for (std::size_t at = text.find("CREATE INDEX"); at != std::string::npos; at = text.find("CREATE INDEX", at + 1))
        ++created;
    ASSERT_GT(created, 0);
    EXPECT_EQ(rows("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name NOT LIKE 'sqlite_%'"), created);
    EXPECT_GE(rows("SELECT 1 FROM sqlite_stat1"), 1);
}

}  // namespace
}  // namespace tally::demo
