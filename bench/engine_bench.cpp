// engine_bench: the report engines timed in-process (no command-line start-up, no
// output formatting), beside the floor statement on the same connection.
//
//   engine_bench --db FILE [--year 2026] [--runs 5] [--only floor,vat-invoicing,...]
//
// Prints the selection first ("selection", the busiest department of the year, the
// department with a 维修基金 item or "-"), then one tab-separated line per measurement:
// key, median wall seconds, fastest wall seconds, median processor seconds, runs, note;
// last the plan check ("plans", statements checked, unindexed derived-table joins or "-").
// bench/run reads these lines.
#include <cstdio>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "BenchProgram.h"
#include "BenchSelection.h"
#include "QueryPlanCheck.h"
#include "ReportCatalog.h"
#include "SqliteConnection.h"
#include "StatementRecorder.h"
#include "Stopwatch.h"
#include "VatInvoicingReport.h"

using namespace tally;

namespace {

constexpr char kUsage[] = "usage: engine_bench --db FILE [--year YYYY] [--runs N] [--only KEY,...]";

struct Options : bench::BenchOptions {
    std::set<std::string> only;  // empty: everything
};

bool wanted(const Options& options, const std::string& key) { return options.only.empty() || options.only.count(key); }

// One measured operation: run once, it returns the note printed beside its figures.
struct Measurement {
    std::string key;
    std::function<std::string()> once;
    bench::Samples samples{};
    std::string note{};
};

// Every operation once per round, the rounds one after the other: a burst of other work
// on the machine then slows the floor and the reports alike, and the ratios hold.
void measureInRounds(std::vector<Measurement>& measurements, int runs) {
    for (int round = 0; round < runs; ++round)
        for (auto& m : measurements) m.samples.add(bench::timeRuns(1, [&] { m.note = m.once(); }));
    for (const auto& m : measurements) bench::printMeasurement(m.key, m.samples.summary(), m.note);
}

std::string floorOnce(data::Connection& connection, const Options& options) {
    long rows = 0;
    double sum = 0;
    auto rs = connection.open(bench::floorStatement(options.year), data::Connection::kNoTimeout);
    for (; !rs->eof(); rs->moveNext(), ++rows) sum += rs->field(3).number();
    return std::to_string(rows) + " groups" + (sum == 0 ? " (all zero)" : "");
}

std::string detailOnce(data::Connection& connection, const Options& options, const reports::DetailReport& report,
                       const reports::DepartmentEntry& department) {
    const int rows =
        bench::runDetailReport(connection, report, department, options.year + "0101", options.year + "1231")
            ->rowCount();
    return "department " + department.departmentCode + ", " + std::to_string(rows) + " rows";
}

std::string reconciliationOnce(data::Connection& connection, const Options& options,
                               const reports::DepartmentEntry& department) {
    const auto rows = bench::runYearReconciliation(connection, department, options.year).table.dataRowTexts().size();
    return "department " + department.departmentCode + ", 12 months, " + std::to_string(rows) + " rows";
}

// A 100,000-row VAT invoicing result made of the rows of the line-by-line run (the
// largest result the demo gives), repeated; a page is 50 rows anywhere in it.
void measurePageDraw(data::Connection& connection, const Options& options, const reports::DepartmentEntry& department) {
    const int kRows = 100000, kPageRows = 50;
    reports::vat::VatInvoicingReport report;
    auto run = bench::runDetailReport(connection, report, department, options.year + "0101", options.year + "1231");
    const auto& real = dynamic_cast<const reports::vat::VatInvoicingResult&>(*run);
    std::vector<reports::vat::InvoiceDetailRow> rows;
    rows.reserve(kRows);
    while (static_cast<int>(rows.size()) < kRows) rows.push_back(real.rows()[rows.size() % real.rows().size()]);
    const reports::vat::VatInvoicingResult result(std::move(rows), real.items());

    const int pages = kRows / kPageRows;
    const int drawn = std::max(options.runs, 101);
    bench::Samples samples;
    std::size_t cells = 0;
    for (int i = 0; i < drawn; ++i) {
        const int first = static_cast<int>(static_cast<long>(i) * (pages - 1) / (drawn - 1)) * kPageRows;
        samples.add(bench::timeRuns(1, [&] {
            for (int r = first; r < first + kPageRows; ++r) cells += result.drawRow(r).cells.size();
        }));
    }
    bench::printMeasurement("page-draw", samples.summary(),
                            std::to_string(kPageRows) + " rows of " + std::to_string(result.rowCount()) + " (" +
                                std::to_string(result.columnCount()) + " columns), " + std::to_string(drawn) +
                                " pages, " + std::to_string(cells / drawn) + " cells a page");
}

// Every statement the reports send for these departments, planned on this database:
// prints "plans", the number of statements and the derived-table joins without an index.
void checkPlans(data::SqliteConnection& connection, const Options& options,
                const std::vector<reports::DepartmentEntry>& departments) {
    bench::StatementRecorder recorder(connection);
    for (const auto& department : departments) {
        for (const auto& kind : reports::detailReportKinds())
            bench::runDetailReport(recorder, *reports::makeDetailReport(kind), department, options.year + "0101",
                                   options.year + "1231");
        bench::runYearReconciliation(recorder, department, options.year);
    }
    std::set<std::string> statements(recorder.statements().begin(), recorder.statements().end());
    std::string problems;
    for (const auto& sql : statements)
        for (const auto& p :
             bench::unindexedDerivedJoins(connection.queryPlan(sql), bench::disjunctionJoinedTables(sql)))
            problems += (problems.empty() ? "" : "; ") + p.detail;
    std::printf("plans\t%zu\t%s\n", statements.size(), problems.empty() ? "-" : problems.c_str());
}

bool parse(int argc, char** argv, Options& options) {
    return bench::parseBenchOptions(argc, argv, options, [&](const std::string& option, const std::string& value) {
        if (option != "--only") return false;
        std::stringstream list(value);
        for (std::string key; std::getline(list, key, ',');) options.only.insert(key);
        return true;
    });
}

void measure(const Options& options) {
    data::SqliteConnection connection(options.db);
    const auto busiest = bench::busiestDepartment(connection, options.year);
    const auto fund = bench::maintenanceFundDepartment(connection, options.year);
    std::printf("selection\t%s\t%s\n", busiest.departmentCode.c_str(), fund ? fund->departmentCode.c_str() : "-");
    std::vector<std::unique_ptr<reports::DetailReport>> owned;
    std::vector<Measurement> measurements;
    if (wanted(options, "floor")) measurements.push_back({"floor", [&] { return floorOnce(connection, options); }});
    for (const auto& kind : reports::detailReportKinds())
        if (wanted(options, kind)) {
            const auto* report = owned.emplace_back(reports::makeDetailReport(kind)).get();
            measurements.push_back(
                {"engine:" + kind, [&, report] { return detailOnce(connection, options, *report, busiest); }});
        }
    if (wanted(options, "reconciliation"))
        measurements.push_back(
            {"engine:reconciliation", [&] { return reconciliationOnce(connection, options, busiest); }});
    if ((wanted(options, "per-line") || wanted(options, "page-draw")) && !fund)
        throw std::runtime_error("no department has a 维修基金 item in " + options.year);
    if (wanted(options, "per-line")) {
        const auto* report = owned.emplace_back(reports::makeDetailReport("vat-invoicing")).get();
        measurements.push_back(
            {"engine:vat-invoicing-per-line", [&, report] { return detailOnce(connection, options, *report, *fund); }});
    }
    measureInRounds(measurements, options.runs);
    if (wanted(options, "page-draw")) measurePageDraw(connection, options, *fund);
    if (wanted(options, "plans")) {
        std::vector<reports::DepartmentEntry> departments{busiest};
        if (fund && fund->departmentCode != busiest.departmentCode) departments.push_back(*fund);
        checkPlans(connection, options, departments);
    }
}

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmark(argc, argv, "engine_bench", kUsage, parse, measure); }
