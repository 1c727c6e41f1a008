// A year of VAT invoicing and reconciliation on demo files with 30 and with 300 fee items, through
// the embedded engine and through ODBC: every item gets its columns, and the totals match sums
// taken straight from the fee lines.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DemoDatabase.h"
#include "DemoSqlite.h"
#include "DemoTestSupport.h"
#include "OdbcConnection.h"
#include "OdbcConnectionString.h"
#include "ReconciliationHeadings.h"
#include "ReconciliationRun.h"
#include "SqliteConnection.h"
#include "VatInvoicingHeadings.h"
#include "VatInvoicingReport.h"

namespace tally::demo {
namespace {

using reports::Cents;
using reports::FeeItemList;

struct EngineCase {
    const char* name;
    const char* engine;  // "sqlite" or "odbc"
    int feeItems;
};

void PrintTo(const EngineCase& c, std::ostream* out) { *out << c.name; }

class ManyFeeItemsReports : public ::testing::TestWithParam<EngineCase> {
protected:
    void SetUp() override {
        DemoOptions options;
        options.seed = 3;
        options.invoicesPerYear = 600;
        options.years = 1;
        options.firstYear = 2025;
        options.feeItems = GetParam().feeItems;
        path_ = testing::sharedDemoDatabase(options);
        file_ = std::make_unique<SqliteFile>(path_, SqliteFile::Mode::ReadOnly);
    }

    std::unique_ptr<data::Connection> connect() const {
        if (std::string(GetParam().engine) == "sqlite") return std::make_unique<data::SqliteConnection>(path_);
        return std::make_unique<data::OdbcConnection>(
            "DRIVER=" + data::odbcAttributeValue(SQLITE_ODBC_DRIVER) +
            ";Database=" + data::odbcAttributeValue(tally::testing::hostPath(path_)) +
            ";LoadExt=" + data::odbcAttributeValue(TSQL_EXTENSION));
    }

    // First column of every row; a department given is bound to ?1.
    std::vector<std::string> texts(const std::string& sql, const std::string& department = "") {
        SqliteStatement rows(*file_, sql);
        if (!department.empty()) rows.bindText(1, department);
        std::vector<std::string> values;
        while (rows.step()) values.push_back(rows.textAt(0));
        return values;
    }

    std::int64_t countOf(const std::string& sql, const std::string& department) {
        SqliteStatement count(*file_, sql);
        count.bindText(1, department);
        count.step();
        return count.intAt(0);
    }

    std::string path_;
    std::unique_ptr<SqliteFile> file_;
};

// ---- VAT invoicing --------------------------------------------------------------------------

// The lines the VAT sums read: those of the department (?1) on invoices of a type with 定额 0.
constexpr const char* kLines =
    " FROM 票据开票数据 l JOIN 票据 t ON t.票据编号 = l.票据编号 AND t.入库单编号 = l.入库单编号"
    " JOIN 票据入库单 b ON b.入库单编号 = t.入库单编号 JOIN 票据类型 y ON y.票据类型代号 = b.票据类型编号"
    " WHERE y.定额 = 0 AND t.开票部门编号 = ?1";

// Invoices the year's totals count: issued in 2025 and collected by its end (the file starts in
// 2025, so nothing collected in it was issued before), neither voided nor an exchange.
constexpr const char* kCountedInvoices =
    " AND t.开票日期 >= '2025-01-01' AND t.开票日期 < '2026-01-01' AND t.收款日期 < '2026-01-01'"
    " AND t.作废日期 IS NULL AND t.被换票票据编号 IS NULL";

struct ItemSums {
    Cents net = 0, tax = 0, property = 0;
};

class ManyFeeItemsVat : public ManyFeeItemsReports {
protected:
    // Per item: net and tax of the counted invoices, and the property share (20 %) of a parking
    // item's net amount taken per invoice, as the report rounds it.
    std::map<std::string, ItemSums> independentSums(const std::string& department) {
        SqliteStatement lines(
            *file_,
            "SELECT l.收费项目代号, sum(CAST(round((l.金额 - coalesce(l.税额, 0)) * 100) AS INTEGER)),"
            " sum(CAST(round(coalesce(l.税额, 0) * 100) AS INTEGER))" +
                std::string(kLines) + kCountedInvoices + " GROUP BY l.收费项目代号, l.入库单编号, l.票据编号");
        lines.bindText(1, department);
        std::map<std::string, ItemSums> sums;
        while (lines.step()) {
            ItemSums& s = sums[lines.textAt(0)];
            const Cents net = lines.intAt(1);
            s.net += net;
            s.tax += lines.intAt(2);
            s.property += std::llround(static_cast<double>(net) / 5.0);  // never a half cent
        }
        return sums;
    }

    // One year of the department through the report, checked against the lines.
    void runYear(const reports::DepartmentEntry& department, bool lineByLine) {
        const std::string& code = department.departmentCode;
        std::string types;
        for (const auto& t : texts("SELECT 票据类型代号 FROM 票据类型 WHERE 定额 = 0 ORDER BY 1"))
            types += (types.empty() ? "'" : ",'") + t + "'";
        const reports::ReportRequest request{department, "20250101", "20251231", types};

        auto connection = connect();
        reports::vat::VatInvoicingReport report;
        const auto extraction = report.extractFeeItems(*connection, request);
        ASSERT_FALSE(extraction.error.has_value()) << extraction.error->messageText();
        const FeeItemList& items = extraction.items;
        std::vector<std::string> codes;
        for (const auto& item : items) codes.push_back(item.code);
        // Items of every line of the year, tickets and voided invoices included.
        EXPECT_EQ(codes, texts("SELECT DISTINCT l.收费项目代号 FROM 票据开票数据 l JOIN 票据 t ON t.票据编号 = "
                               "l.票据编号 AND t.入库单编号 = l.入库单编号 WHERE t.开票部门编号 = ?1 "
                               "AND t.开票日期 >= '2025-01-01' AND t.开票日期 < '2026-01-01' ORDER BY 1",
                               code));
        // Every item, the maintenance fund only where it is used.
        EXPECT_EQ(static_cast<int>(items.size()), lineByLine ? GetParam().feeItems : GetParam().feeItems - 1);
        ASSERT_EQ(reports::vat::HasMaintenanceFund(items), lineByLine);

        auto splits = reports::defaultSplitRows(items);
        for (auto& s : splits) {
            s.developerText = "80";
            s.propertyText = "20";
        }
        const auto outcome = report.run(*connection, request, items, splits);
        ASSERT_TRUE(outcome.ok()) << outcome.error().messageText();
        const auto* result = dynamic_cast<const reports::vat::VatInvoicingResult*>(outcome.value().get());
        ASSERT_NE(result, nullptr);

        const auto headings = reports::vat::LayoutResultHeadings(items, splits);
        EXPECT_EQ(result->columnCount(), headings.columnCount());
        const std::set<std::string> headed(headings.row0.begin(), headings.row0.end());
        for (const auto& item : items) EXPECT_TRUE(headed.count(item.cleanedName)) << item.cleanedName;

        // No invoice has an item twice, so the line-by-line run also gives one row per invoice.
        std::int64_t invoiceRows = 0;
        const reports::vat::InvoiceDetailRow* total = nullptr;
        for (const auto& row : result->rows()) {
            if (row.kind == reports::vat::RowKind::Invoice) ++invoiceRows;
            if (row.kind == reports::vat::RowKind::GrandTotal) total = &row;
        }
        EXPECT_EQ(invoiceRows, countOf("SELECT count(*) FROM 票据 t JOIN 票据入库单 b ON b.入库单编号 = t.入库单编号 "
                                       "JOIN 票据类型 y ON y.票据类型代号 = b.票据类型编号 WHERE y.定额 = 0 "
                                       "AND t.开票部门编号 = ?1 AND t.开票日期 >= '2025-01-01' "
                                       "AND t.开票日期 < '2026-01-01'",
                                       code));
        ASSERT_NE(total, nullptr);

        const auto sums = independentSums(code);
        std::vector<Cents> expected;
        Cents all = 0;
        for (const auto& item : items) {
            const auto found = sums.find(item.code);
            const ItemSums s = found == sums.end() ? ItemSums{} : found->second;
            if (item.isParking()) {
                expected.push_back(s.net - s.property);
                expected.push_back(s.property);
            } else {
                expected.push_back(s.net);
            }
            expected.push_back(s.tax);
            all += s.net + s.tax;
        }
        ASSERT_EQ(total->values.size(), expected.size());
        for (std::size_t j = 0; j < expected.size(); ++j)
            EXPECT_EQ(total->values[j], expected[j]) << "value column " << j << " of " << expected.size();
        EXPECT_EQ(total->total, all);
        EXPECT_NE(all, 0);
    }
};

TEST_P(ManyFeeItemsVat, InvoiceByInvoiceYearShowsEveryItemAndItsTotals) {
    runYear({"01", "GL01", "翠湖花园管理处"}, false);
}

TEST_P(ManyFeeItemsVat, LineByLineYearWithTheFundShowsEveryItemAndItsTotals) {
    runYear({"02", "GL02", "锦绣华庭管理处"}, true);
}

// ---- Reconciliation -------------------------------------------------------------------------

// A rate in basis points, so that rates read from different rows compare exactly.
std::int64_t basisPoints(double rate) { return std::llround(rate * 10000.0); }

TEST_P(ManyFeeItemsReports, ReconciliationYearShowsEveryItemAndItsTotals) {
    using namespace reports::reconciliation;
    const std::string department = "01";
    const std::string office = "GL01";
    const ReconciliationSelection selection{"2025", "01", "12", {department, office, "翠湖花园管理处"}};

    // The department's lines of types with 定额 0 and of items the office's device knows, each
    // with the device's rate (Null when it has none).
    const std::string lines =
        " FROM 票据开票数据 l JOIN 票据 t ON t.票据编号 = l.票据编号 AND t.入库单编号 = l.入库单编号"
        " JOIN 票据入库单 b ON b.入库单编号 = t.入库单编号 JOIN 票据类型 y ON y.票据类型代号 = b.票据类型编号"
        " JOIN 税控盘收费项目设置 s ON s.DH = l.收费项目代号 AND s.管理处 = '" +
        office + "' WHERE y.定额 = 0 AND t.开票部门编号 = ?1 AND t.作废日期 IS NULL";
    const std::string issuedIn2025 = " AND t.开票日期 >= '2025-01-01' AND t.开票日期 < '2026-01-01'";

    // What the report shows of a month: a row for each rate its special invoices, ordinary
    // invoices or receipts were issued at (every rate when a receipt's item has no rate), and
    // the month counts towards the total only when its special and ordinary invoices do not
    // add up to 0.
    std::map<std::string, std::set<std::int64_t>> shownRates;
    std::set<std::string> everyRateShown;
    std::map<std::string, Cents> invoiced;
    Cents specialNet = 0, specialTax = 0, ordinaryNet = 0, ordinaryTax = 0;
    {
        SqliteStatement issued(*file_,
                               "SELECT substr(t.开票日期, 1, 7), s.税率, CASE WHEN y.票据类型 LIKE '%增值税专用发票%' "
                               "THEN 'S' WHEN y.票据类型 LIKE '%增值税普通发票%' THEN 'O' WHEN y.票据类型 = '收据' "
                               "THEN 'R' ELSE '' END, sum(CAST(round(l.金额 * 100) AS INTEGER)), "
                               "sum(CAST(round(coalesce(l.税额, 0) * 100) AS INTEGER))" +
                                   lines + issuedIn2025 + " GROUP BY 1, 2, 3");
        issued.bindText(1, department);
        std::map<std::string, std::array<Cents, 4>> months;  // special net, tax, ordinary net, tax
        while (issued.step()) {
            const std::string month = issued.textAt(0);
            const std::string kind = issued.textAt(2);
            if (kind.empty()) continue;
            if (issued.isNull(1)) {
                if (kind == "R") everyRateShown.insert(month);
                continue;  // special and ordinary lines without a rate have no row
            }
            shownRates[month].insert(basisPoints(issued.realAt(1)));
            if (kind == "R") continue;
            const Cents amount = issued.intAt(3), tax = issued.intAt(4);
            auto& m = months[month];
            m[kind == "S" ? 0 : 2] += amount - tax;
            m[kind == "S" ? 1 : 3] += tax;
            invoiced[month] += amount;
        }
        for (const auto& [month, sums] : months) {
            if (invoiced[month] == 0) continue;
            specialNet += sums[0];
            specialTax += sums[1];
            ordinaryNet += sums[2];
            ordinaryTax += sums[3];
        }
    }
    auto counted = [&](const std::string& month) { return invoiced.count(month) && invoiced.at(month) != 0; };

    // Hand-over of an item: collected in the year, in the month of issue or later, shown on its
    // rate's row (rate 0 when the device has none for it) of the month of collection.
    std::map<std::string, Cents> handOver;
    {
        SqliteStatement collected(*file_,
                                  "SELECT l.收费项目代号, substr(t.收款日期, 1, 7), "
                                  "coalesce(s.税率, 0), sum(CAST(round(l.金额 * 100) AS INTEGER))" +
                                      lines +
                                      " AND t.收款日期 >= '2025-01-01' AND t.收款日期 < '2026-01-01'"
                                      " AND substr(t.开票日期, 1, 7) <= substr(t.收款日期, 1, 7) GROUP BY 1, 2, 3");
        collected.bindText(1, department);
        while (collected.step()) {
            const std::string month = collected.textAt(1);
            if (!counted(month)) continue;
            if (everyRateShown.count(month) || shownRates[month].count(basisPoints(collected.realAt(2))))
                handOver["'" + collected.textAt(0) + "'"] += collected.intAt(3);  // codes as the run lists them
        }
    }

    auto connection = connect();
    const ReconciliationRun run = RunReconciliation(*connection, selection);
    EXPECT_EQ(run.end, RunEnd::Completed);
    for (const auto& e : run.reported) ADD_FAILURE() << "reported: " << e.messageText();
    ASSERT_EQ(run.end, RunEnd::Completed);

    std::vector<std::string> codes;
    for (const auto& item : run.items) codes.push_back(item.code);
    std::vector<std::string> expectedCodes;
    for (const auto& c : texts("SELECT DISTINCT l.收费项目代号" + lines + issuedIn2025 + " ORDER BY 1", department))
        expectedCodes.push_back("'" + c + "'");
    EXPECT_EQ(codes, expectedCodes);
    EXPECT_EQ(static_cast<int>(run.items.size()), GetParam().feeItems - 1);  // the fund is another department's

    const ReconciliationColumns col{static_cast<int>(run.items.size())};
    const ReconciliationTable& table = run.table;
    ASSERT_EQ(table.columnCount(), col.count());
    const auto headings = table.rowTexts(1);
    for (int k = 1; k <= col.itemCount; ++k)
        EXPECT_EQ(headings[static_cast<std::size_t>(col.item(k))], run.items[static_cast<std::size_t>(k - 1)].name);

    int subtotals = 0;
    int totalRow = -1;
    for (int r = ReconciliationTable::kHeadingRows; r < table.rowCount(); ++r) {
        if (table.text(r, col.kRate) == kSubtotalMark) ++subtotals;
        if (table.text(r, col.kMonth) == kTotalMark) totalRow = r;
    }
    int countedMonths = 0;
    for (const auto& [month, sum] : invoiced) countedMonths += sum != 0 ? 1 : 0;
    EXPECT_EQ(subtotals, countedMonths);
    EXPECT_GE(countedMonths, 10);  // the file gives the sums something to add up
    ASSERT_GE(totalRow, 0);

    Cents allHandedOver = 0;
    for (int k = 1; k <= col.itemCount; ++k) {
        const auto& item = run.items[static_cast<std::size_t>(k - 1)];
        const Cents expected = handOver.count(item.code) ? handOver.at(item.code) : 0;
        EXPECT_EQ(table.value(totalRow, col.item(k)), expected) << item.name;
        allHandedOver += expected;
    }
    EXPECT_NE(allHandedOver, 0);
    EXPECT_EQ(table.value(totalRow, col.handOverTotal()), allHandedOver);
    EXPECT_EQ(table.value(totalRow, col.kSpecialNet), specialNet);
    EXPECT_EQ(table.value(totalRow, col.kSpecialTax), specialTax);
    EXPECT_EQ(table.value(totalRow, col.kOrdinaryNet), ordinaryNet);
    EXPECT_EQ(table.value(totalRow, col.kOrdinaryTax), ordinaryTax);
}

constexpr EngineCase kCases[] = {
    {"Sqlite30Items", "sqlite", 30},
    {"Odbc30Items", "odbc", 30},
    {"Sqlite300Items", "sqlite", 300},
    {"Odbc300Items", "odbc", 300},
};

auto caseName = [](const ::testing::TestParamInfo<EngineCase>& info) { return std::string(info.param.name); };

INSTANTIATE_TEST_SUITE_P(Engines, ManyFeeItemsReports, ::testing::ValuesIn(kCases), caseName);
INSTANTIATE_TEST_SUITE_P(Engines, ManyFeeItemsVat, ::testing::ValuesIn(kCases), caseName);

}  // namespace
}  // namespace tally::demo
