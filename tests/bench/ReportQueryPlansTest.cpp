// Every statement the four report engines send for the demo fee items, planned by
// SQLite on a small demo database through the same T-SQL rewriting the program uses:
// no derived table may be joined without an index (see QueryPlanCheck.h).
#include <gtest/gtest.h>

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
        folder_ = std::make_unique<tally::testing::ScratchFolder>();
        const std::string path = (*folder_ / "plans.sqlite").string();
        demo::DemoOptions options;
        options.seed = 7;
        options.invoicesPerYear = 2000;
        demo::generateDemoDatabase(path, options);
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
            if (sql.find("LEFT Join (") != std::string::npos) found.push_back(sql);
        return found;
    }

    static inline std::unique_ptr<tally::testing::ScratchFolder> folder_;
    static inline std::unique_ptr<data::SqliteConnection> connection_;
    static inline std::map<std::string, std::vector<std::string>> statements_;
};

TEST_F(ReportQueryPlans, EveryReportSentStatementsWithDerivedTables) {
    for (const auto* kind : {"parking", "vat-invoicing", "pre-invoicing", "reconciliation"})
        EXPECT_FALSE(withDerivedTables(kind).empty()) << kind;
    // The VAT report in both of its forms: per invoice (two parts) and, for the
    // department with a 维修基金 item, line by line.
    int perInvoice = 0, perLine = 0;
    for (const auto& sql : withDerivedTables("vat-invoicing"))
        ++(sql.find(" Union All ") != std::string::npos ? perInvoice : perLine);
    EXPECT_GT(perInvoice, 0);
    EXPECT_GT(perLine, 0);
}

TEST_F(ReportQueryPlans, NoDerivedTableIsJoinedWithoutAnIndex) {
    for (const auto& [kind, statements] : statements_)
        for (const auto& sql : statements) {
            const auto problems = unindexedDerivedJoins(connection_->queryPlan(sql), disjunctionJoinedTables(sql));
            for (const auto& problem : problems)
                ADD_FAILURE() << kind << ": " << problem.detail << "\n  in: " << sql.substr(0, 300) << " ...";
        }
}

// The trap itself: the per-invoice statement with the join keys of B1 wrapped in an
// expression on the derived table's side loses the automatic index, and is caught.
TEST_F(ReportQueryPlans, AJoinKeyHiddenInAnExpressionIsCaught) {
    std::string sql;
    for (const auto& s : withDerivedTables("vat-invoicing"))
        if (s.find(" Union All ") != std::string::npos) sql = s;
    ASSERT_FALSE(sql.empty());
    for (const std::string column : {"票据编号", "入库单编号"}) {
        const std::string key = "= B1." + column;
        const auto at = sql.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        sql.replace(at, key.size(), "= rtrim(B1." + column + ")");
    }
    const auto problems = unindexedDerivedJoins(connection_->queryPlan(sql), disjunctionJoinedTables(sql));
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].table, "B1");
}

}  // namespace
}  // namespace tally::bench
