// Every statement the four report engines send for the demo fee items, planned by
// SQLite on a demo database through the same T-SQL rewriting the program uses: no
// statement reads the invoices or their lines in full (the period is sought through
// the department's date indexes), and no derived table is joined without an index
// (see QueryPlanCheck.h).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "BenchSelection.h"
#include "DemoDatabase.h"
#include "Departments.h"
#include "QueryPlanCheck.h"
#include "ReportCatalog.h"
#include "ScratchFolder.h"
#include "SqliteConnection.h"
#include "StatementRecorder.h"

namespace tally::bench {
namespace {

namespace fs = std::filesystem;

class ReportQueryPlans : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // bench/run plans the statements on the benchmark database too (TALLY_QUERY_PLAN_DB).
        std::string path;
        if (const char* given = std::getenv("TALLY_QUERY_PLAN_DB"); given && *given) {
            path = given;
        } else {
            folder_ = std::make_unique<tally::testing::ScratchFolder>();
            path = (*folder_ / "plans.sqlite").string();
            demo::DemoOptions options;
            options.seed = 7;
            options.invoicesPerYear = 2000;
            demo::generateDemoDatabase(path, options);
        }
        connection_ = std::make_unique<data::SqliteConnection>(path);
        recordEveryReport();
    }

    static void TearDownTestSuite() {
        connection_.reset();
        folder_.reset();
    }

    // Runs every report for every department over 2026, keeping the statements per report kind.
    static void recordEveryReport() {
        StatementRecorder recorder(*connection_);
        const auto departments = reports::LoadDepartmentList(*connection_).entries;
        const std::string types = reports::LoadInvoiceTypeList(*connection_).value();
        for (const auto& kind : reports::detailReportKinds()) {
            auto report = reports::makeDetailReport(kind);
            for (const auto& department : departments) {
                reports::ReportRequest request{department, "20260101", "20261231", types};
                auto extraction = report->extractFeeItems(recorder, request);
                if (!extraction.error && !extraction.items.empty())
                    report->run(recorder, request, extraction.items, reports::defaultSplitRows(extraction.items));
            }
            keep(kind, recorder);
        }
        for (const auto& department : departments)
            reports::reconciliation::RunReconciliation(recorder, {"2026", "01", "12", department});
        keep("reconciliation", recorder);
    }

    static void keep(const std::string& kind, StatementRecorder& recorder) {
        statements_[kind] = recorder.statements();
        recorder.clear();
    }

    static std::vector<std::string> withDerivedTables(const std::string& kind) {
        std::vector<std::string> found;
        for (const auto& sql : statements_[kind])
            if (sql.find("(Select") != std::string::npos) found.push_back(sql);
        return found;
    }

    static inline std::unique_ptr<tally::testing::ScratchFolder> folder_;
    static inline std::unique_ptr<data::SqliteConnection> connection_;
    static inline std::map<std::string, std::vector<std::string>> statements_;
};

bool isPerLine(const std::string& sql) { return sql.find("ROW_NUMBER()") != std::string::npos; }

// "SCAN 票据" or "SCAN 票据开票数据", with or without an index: every row of the table read.
bool readsInFull(const std::string& detail, const std::string& table) {
    const std::string scan = "SCAN " + table;
    return detail.compare(0, scan.size(), scan) == 0 && (detail.size() == scan.size() || detail[scan.size()] == ' ');
}

TEST_F(ReportQueryPlans, EveryReportSentStatementsWithDerivedTables) {
    for (const auto* kind : {"parking", "vat-invoicing", "pre-invoicing", "reconciliation"})
        EXPECT_FALSE(withDerivedTables(kind).empty()) << kind;
    // The VAT report in both of its forms: per invoice and, for the department with a
    // 维修基金 item, line by line.
    int perInvoice = 0, perLine = 0;
    for (const auto& sql : withDerivedTables("vat-invoicing")) ++(isPerLine(sql) ? perLine : perInvoice);
    EXPECT_GT(perInvoice, 0);
    EXPECT_GT(perLine, 0);
}

TEST_F(ReportQueryPlans, NoStatementReadsTheInvoicesOrTheirLinesInFull) {
    for (const auto& [kind, statements] : statements_)
        for (const auto& sql : statements) {
            if (sql.find("票据开票数据") == std::string::npos) continue;  // the lists of departments and types
            for (const auto& step : connection_->queryPlan(sql))
                for (const auto* table : {"票据", "票据开票数据"})
                    if (readsInFull(step.detail, table))
                        ADD_FAILURE() << kind << ": " << step.detail << "\n  in: " << sql.substr(0, 300) << " ...";
        }
}

TEST_F(ReportQueryPlans, ThePeriodIsSoughtThroughTheDepartmentsDateIndexes) {
    std::map<std::string, int> seeks;
    for (const auto& [kind, statements] : statements_)
        for (const auto& sql : statements)
            for (const auto& step : connection_->queryPlan(sql))
                for (const auto* index : {"票据_部门_开票日期 (开票部门编号=? AND 开票日期>? AND 开票日期<?)",
                                          "票据_部门_收款日期 (开票部门编号=? AND 收款日期>? AND 收款日期<?)"})
                    if (step.detail.find(index) != std::string::npos) ++seeks[kind + std::string(" ") + index];
    for (const auto* kind : {"parking", "vat-invoicing", "pre-invoicing", "reconciliation"}) {
        int found = 0;
        for (const auto& [key, count] : seeks)
            if (key.compare(0, std::string(kind).size() + 1, std::string(kind) + " ") == 0) found += count;
        EXPECT_GT(found, 0) << kind << " never seeks a period range";
    }
    int collected = 0;
    for (const auto& [key, count] : seeks)
        if (key.find("收款日期>?") != std::string::npos) collected += count;
    EXPECT_GT(collected, 0) << "no statement seeks the collection dates";
}

// The per-invoice sums are joined by invoice number and batch; the reconciliation's one-row
// sums of no rate (GN) join every rate row on purpose.
TEST_F(ReportQueryPlans, NoDerivedTableIsJoinedWithoutAnIndex) {
    for (const auto& [kind, statements] : statements_)
        for (const auto& sql : statements) {
            auto accepted = disjunctionJoinedTables(sql);
            accepted.insert("GN");
            const auto problems = unindexedDerivedJoins(connection_->queryPlan(sql), accepted);
            for (const auto& problem : problems)
                ADD_FAILURE() << kind << ": " << problem.detail << "\n  in: " << sql.substr(0, 300) << " ...";
        }
}

// The trap itself: rates joined to their sums (a derived table) with the sums' join key
// wrapped in an expression lose the automatic index, and are caught; the plain key is not.
TEST_F(ReportQueryPlans, AJoinKeyHiddenInAnExpressionIsCaught) {
    std::string sums;
    for (const auto& s : statements_["reconciliation"])
        if (s.find("As 收费项目代号") != std::string::npos && s.find("as 交账") != std::string::npos) sums = s;
    ASSERT_FALSE(sums.empty());
    auto joined = [&sums](const std::string& key) {
        return "With G As (Select 税率, SUM(交账) As 交账 From (" + sums +
               ") 各项目 group by 税率) Select A.税率, G.交账 From (Select Distinct 税率 From 税控盘收费项目设置) A"
               " LEFT Join G On A.税率=" +
               key;
    };
    EXPECT_TRUE(unindexedDerivedJoins(connection_->queryPlan(joined("G.税率")), {}).empty());
    const auto problems = unindexedDerivedJoins(connection_->queryPlan(joined("rtrim(G.税率)")), {});
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].table, "G");
}

}  // namespace
}  // namespace tally::bench
