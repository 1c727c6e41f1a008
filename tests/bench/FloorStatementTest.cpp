// The benchmark floors select exactly the lines the reports select: the department's
// lines of invoices issued in the period, or collected in it and issued on an earlier
// day (voided ones left out for the reconciliation), checked against the same selection
// written with whole-day date keys, on a small demo database.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>

#include "BenchSelection.h"
#include "DemoDatabase.h"
#include "Departments.h"
#include "ScratchFolder.h"
#include "SqliteConnection.h"

namespace tally::bench {
namespace {

using Key = std::tuple<std::string, std::string, std::string>;  // invoice, batch, fee item
struct Sums {
    long long amountCents = 0, taxCents = 0;
    bool operator==(const Sums&) const = default;
};
using Groups = std::map<Key, Sums>;

long long cents(double value) { return std::llround(value * 100); }

class FloorStatements : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<tally::testing::ScratchFolder>();
        const std::string path = (*folder_ / "floor.sqlite").string();
        demo::DemoOptions options;
        options.seed = 11;
        options.invoicesPerYear = 1500;
        demo::generateDemoDatabase(path, options);  // 2025 and 2026
        connection_ = std::make_unique<data::SqliteConnection>(path);
    }

    static void TearDownTestSuite() {
        connection_.reset();
        folder_.reset();
    }

    static Groups groups(const std::string& sql) {
        Groups found;
        for (auto rs = connection_->open(sql); !rs->eof(); rs->moveNext()) {
            auto [at, added] = found.emplace(Key{rs->field(0).text(), rs->field(1).text(), rs->field(2).text()},
                                             Sums{cents(rs->field(3).number()), cents(rs->field(4).number())});
            EXPECT_TRUE(added) << "a group twice: " << rs->field(0).text();
        }
        return found;
    }

    // The selection by day keys, the way the reports test dates.
    static std::string reference(const std::string& department, const std::string& from, const std::string& to,
                                 bool withoutVoided) {
        return "Select 票据开票数据.票据编号, 票据开票数据.入库单编号, 票据开票数据.收费项目代号,"
               " SUM(票据开票数据.金额), SUM(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)"
               " From 票据开票数据 Inner Join 票据 on 票据开票数据.入库单编号 = 票据.入库单编号"
               " And 票据开票数据.票据编号 = 票据.票据编号"
               " Where 开票部门编号 = '" +
               department + "' And (Convert(Char(8),开票日期,112) Between '" + from + "' And '" + to +
               "' Or (Convert(Char(8),收款日期,112) Between '" + from + "' And '" + to +
               "' And Convert(Char(8),开票日期,112) < Convert(Char(8),收款日期,112)))" +
               (withoutVoided ? " And 作废日期 Is Null" : "") +
               " Group by 票据开票数据.票据编号, 票据开票数据.入库单编号, 票据开票数据.收费项目代号";
    }

    // Groups of invoices issued before `from` (in the floor only through their collection).
    static int issuedBefore(const Groups& found, const std::string& fromIso) {
        int count = 0;
        for (const auto& [key, sums] : found) {
            auto rs = connection_->open("Select 开票日期 From 票据 Where 票据编号 = '" + std::get<0>(key) +
                                        "' And 入库单编号 = '" + std::get<1>(key) + "'");
            if (!rs->eof() && rs->field(0).text() < fromIso) ++count;
        }
        return count;
    }

    static inline std::unique_ptr<tally::testing::ScratchFolder> folder_;
    static inline std::unique_ptr<data::SqliteConnection> connection_;
};

struct Period {
    std::string from, to;
};
const Period kPeriods[] = {
    {"20260101", "20261231"},  // a year, its second half of the database
    {"20260301", "20260331"},  // a month
    {"20251215", "20260114"},  // across the turn of the year
    {"20260228", "20260228"},  // one day
};

TEST_F(FloorStatements, InvoicingFloorHoldsTheLinesOfTheInvoicingSelection) {
    std::size_t total = 0;
    int collectedLater = 0;
    for (const auto& department : reports::LoadDepartmentList(*connection_).entries)
        for (const auto& p : kPeriods) {
            const auto floor = groups(floorStatement(FloorLines::Invoicing, department.departmentCode, p.from, p.to));
            EXPECT_EQ(floor, groups(reference(department.departmentCode, p.from, p.to, false)))
                << department.departmentCode << " " << p.from << "-" << p.to;
            total += floor.size();
            if (p.from == "20260101") collectedLater += issuedBefore(floor, "2026-01-01");
        }
    EXPECT_GT(total, 1000u);
    // The second branch of the selection is met: invoices of 2025 collected in 2026.
    EXPECT_GT(collectedLater, 0);
}

TEST_F(FloorStatements, ReconciliationFloorLeavesTheVoidedInvoicesOut) {
    bool voidedSeen = false;
    for (const auto& department : reports::LoadDepartmentList(*connection_).entries) {
        const auto& code = department.departmentCode;
        const auto floor = groups(floorStatement(FloorLines::Reconciliation, code, "20260101", "20261231"));
        EXPECT_EQ(floor, groups(reference(code, "20260101", "20261231", true))) << code;
        const auto invoicing = groups(floorStatement(FloorLines::Invoicing, code, "20260101", "20261231"));
        for (const auto& [key, sums] : floor) EXPECT_TRUE(invoicing.count(key)) << std::get<0>(key);
        voidedSeen = voidedSeen || floor.size() < invoicing.size();
    }
    EXPECT_TRUE(voidedSeen);
}

TEST_F(FloorStatements, FloorSeeksTheDepartmentsDateRangesAndScansNoTable) {
    const auto plan = connection_->queryPlan(floorStatement(FloorLines::Invoicing, "01", "20260101", "20261231"));
    int issuedSearches = 0, collectedSearches = 0;
    for (const auto& step : plan) {
        EXPECT_EQ(step.detail.find("SCAN"), std::string::npos) << step.detail;
        if (step.detail.find("票据_部门_开票日期 (开票部门编号=? AND 开票日期>? AND 开票日期<?)") != std::string::npos)
            ++issuedSearches;
        if (step.detail.find("票据_部门_收款日期 (开票部门编号=? AND 收款日期>? AND 收款日期<?)") != std::string::npos)
            ++collectedSearches;
    }
    EXPECT_EQ(issuedSearches, 1);     // issued in the period
    EXPECT_EQ(collectedSearches, 1);  // collected in it (and issued before it)
}

TEST_F(FloorStatements, ADepartmentCodeWithAQuoteStaysAValue) {
    const std::string code = "01' Or '1'='1";
    EXPECT_TRUE(groups(floorStatement(FloorLines::Invoicing, code, "20260101", "20261231")).empty());
}

TEST(FloorDays, KeysBecomeDateTextsAndTheDayAfter) {
    EXPECT_EQ(isoDay("20260301"), "2026-03-01");
    EXPECT_EQ(isoDayAfter("20261231"), "2027-01-01");
    EXPECT_EQ(isoDayAfter("20240228"), "2024-02-29");
    EXPECT_EQ(isoDayAfter("20230228"), "2023-03-01");
    EXPECT_EQ(isoDayAfter("20240229"), "2024-03-01");
    EXPECT_EQ(isoDayAfter("20260430"), "2026-05-01");
    for (const char* bad :
         {"", "2026013", "202601011", "2026-1-1", "20260230", "20261301", "20260100", "2026010a", "+2026010"}) {
        EXPECT_THROW(isoDay(bad), std::invalid_argument) << bad;
        EXPECT_THROW(floorStatement(FloorLines::Invoicing, "01", "20260101", bad), std::invalid_argument) << bad;
    }
}

}  // namespace
}  // namespace tally::bench
