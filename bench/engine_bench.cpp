// engine_bench: the report engines timed in-process (no command-line start-up, no
// output formatting), beside the floor statements on the same connection.
//
//   engine_bench --db FILE [--year 2026] [--runs 5] [--only floor,vat-invoicing,...]
//                [--department CODE] [--from YYYYMMDD --to YYYYMMDD] [--second-db FILE]
//
// The detail reports and the invoicing floor cover --from to --to (default the whole
// year), the reconciliation and its floor the year's twelve months, all for --department
// (default the busiest department of the year). With --second-db every report and floor
// is also measured on that database, in the same rounds, under its key prefixed "second:".
//
// Prints the selection first ("selection", the department measured, the department with
// a 维修基金 item or "-"), then one tab-separated line per measurement: key, median wall
// seconds, fastest wall seconds, median processor seconds, runs, note; last the plan
// check ("plans", statements checked, unindexed derived-table joins or "-").
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

constexpr char kUsage[] =
    "usage: engine_bench --db FILE [--year YYYY] [--runs N] [--only KEY,...] [--department CODE]"
    " [--from YYYYMMDD --to YYYYMMDD] [--second-db FILE]";

struct Options : bench::BenchOptions {
    std::set<std::string> only;  // empty: everything
    std::string department;      // empty: the busiest of the year
    std::string fromKey, toKey;  // empty: the year's first and last days
    std::string secondDb;        // empty: one database

    std::string from() const { return fromKey.empty() ? year + "0101" : fromKey; }
    std::string to() const { return toKey.empty() ? year + "1231" : toKey; }
};

// One database with the department measured on it; `prefix` starts the keys of its figures.
struct Target {
    data::Connection& connection;
    reports::DepartmentEntry department;
    std::string prefix;
};

bool wanted(const Options& options, const std::string& key) { return options.only.empty() || options.only.count(key); }

// One measured operation: run once, it returns the note printed beside its figures.
struct Measurement {
    std::string key;
    std::function<std::string()> once;
    bench::Samples samples{};
    std::string note{};
    std::string failure{};  // what stopped it; it is not run again
};

// Every operation once per round, the rounds one after the other: a burst of other work
// on the machine then slows the floor and the reports alike, and the ratios hold.
// An operation that throws is reported as "failed", key, message, and the others go on.
void measureInRounds(std::vector<Measurement>& measurements, int runs) {
    for (int round = 0; round < runs; ++round)
        for (auto& m : measurements) {
            if (!m.failure.empty()) continue;
            try {
                m.samples.add(bench::timeRuns(1, [&] { m.note = m.once(); }));
            } catch (const std::exception& e) {
                m.failure = e.what();
                if (m.failure.empty()) m.failure = "failed";
            }
        }
    for (const auto& m : measurements) {
        if (m.failure.empty()) bench::printMeasurement(m.key, m.samples.summary(), m.note);
        else std::printf("failed\t%s\t%s\n", m.key.c_str(), bench::oneLine(m.failure).c_str());
    }
}

std::string floorOnce(const Target& target, bench::FloorLines lines, const std::string& fromKey,
                      const std::string& toKey) {
    long rows = 0;
    double sum = 0;
    auto rs = target.connection.open(bench::floorStatement(lines, target.department.departmentCode, fromKey, toKey),
                                     data::Connection::kNoTimeout);
    for (; !rs->eof(); rs->moveNext(), ++rows) sum += rs->field(3).number();
    return "department " + target.department.departmentCode + ", " + fromKey + "-" + toKey + ", " +
           std::to_string(rows) + " groups" + (sum == 0 ? " (all zero)" : "");
}

std::string detailOnce(const Target& target, const Options& options, const reports::DetailReport& report) {
    const int rows =
        bench::runDetailReport(target.connection, report, target.department, options.from(), options.to())->rowCount();
    return "department " + target.department.departmentCode + ", " + options.from() + "-" + options.to() + ", " +
           std::to_string(rows) + " rows";
}

std::string reconciliationOnce(const Target& target, const Options& options) {
    const auto rows =
        bench::runYearReconciliation(target.connection, target.department, options.year).table.dataRowTexts().size();
    return "department " + target.department.departmentCode + ", 12 months, " + std::to_string(rows) + " rows";
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
    const bool parsed =
        bench::parseBenchOptions(argc, argv, options, [&](const std::string& option, const std::string& value) {
            if (option == "--department") options.department = value;
            else if (option == "--from") options.fromKey = value;
            else if (option == "--to") options.toKey = value;
            else if (option == "--second-db") options.secondDb = value;
            else if (option == "--only") {
                std::stringstream list(value);
                for (std::string key; std::getline(list, key, ',');) options.only.insert(key);
            } else return false;
            return true;
        });
    // a period needs both ends
    return parsed && options.fromKey.empty() == options.toKey.empty();
}

// The floors and the reports on one database, in the order they are measured in each round.
void addMeasurements(std::vector<Measurement>& measurements, std::vector<std::unique_ptr<reports::DetailReport>>& owned,
                     const Target& target, const Options& options) {
    const std::string& p = target.prefix;
    if (wanted(options, "floor"))
        measurements.push_back({p + "floor", [&target, &options] {
                                    return floorOnce(target, bench::FloorLines::Invoicing, options.from(),
                                                     options.to());
                                }});
    for (const auto& kind : reports::detailReportKinds())
        if (wanted(options, kind)) {
            const auto* report = owned.emplace_back(reports::makeDetailReport(kind)).get();
            measurements.push_back(
                {p + "engine:" + kind, [&target, &options, report] { return detailOnce(target, options, *report); }});
        }
    if (wanted(options, "reconciliation-floor"))
        measurements.push_back({p + "floor:reconciliation", [&target, &options] {
                                    return floorOnce(target, bench::FloorLines::Reconciliation, options.year + "0101",
                                                     options.year + "1231");
                                }});
    if (wanted(options, "reconciliation"))
        measurements.push_back(
            {p + "engine:reconciliation", [&target, &options] { return reconciliationOnce(target, options); }});
}

void measure(const Options& options) {
    // a period that is no dates stops here, before anything is measured
    static_cast<void>(bench::isoDay(options.from()));
    static_cast<void>(bench::isoDay(options.to()));
    data::SqliteConnection connection(options.db);
    const auto department = options.department.empty() ? bench::busiestDepartment(connection, options.year)
                                                       : bench::departmentByCode(connection, options.department);
    const bool needFund = wanted(options, "per-line") || wanted(options, "page-draw");
    const auto fund = needFund ? bench::maintenanceFundDepartment(connection, options.year) : std::nullopt;
    if (needFund && !fund) throw std::runtime_error("no department has a 维修基金 item in " + options.year);
    std::printf("selection\t%s\t%s\n", department.departmentCode.c_str(), fund ? fund->departmentCode.c_str() : "-");

    // Targets and the connections behind them live until every measurement is done.
    std::unique_ptr<data::SqliteConnection> secondConnection;
    std::vector<std::unique_ptr<Target>> targets;
    targets.push_back(std::make_unique<Target>(Target{connection, department, ""}));
    if (!options.secondDb.empty()) {
        secondConnection = std::make_unique<data::SqliteConnection>(options.secondDb);
        targets.push_back(std::make_unique<Target>(Target{
            *secondConnection, bench::departmentByCode(*secondConnection, department.departmentCode), "second:"}));
    }
    std::vector<std::unique_ptr<reports::DetailReport>> owned;
    std::vector<Measurement> measurements;
    for (const auto& target : targets) addMeasurements(measurements, owned, *target, options);
    if (wanted(options, "per-line")) {
        const auto* report = owned.emplace_back(reports::makeDetailReport("vat-invoicing")).get();
        Target& fundTarget = *targets.emplace_back(std::make_unique<Target>(Target{connection, *fund, "fund:"}));
        // the line-by-line run beside the floor of its own department
        measurements.push_back({"fund:floor", [&fundTarget, &options] {
                                    return floorOnce(fundTarget, bench::FloorLines::Invoicing, options.from(),
                                                     options.to());
                                }});
        measurements.push_back({"engine:vat-invoicing-per-line",
                                [&fundTarget, &options, report] { return detailOnce(fundTarget, options, *report); }});
    }
    measureInRounds(measurements, options.runs);
    if (wanted(options, "page-draw")) measurePageDraw(connection, options, *fund);
    if (wanted(options, "plans")) {
        std::vector<reports::DepartmentEntry> departments{department};
        if (fund && fund->departmentCode != department.departmentCode) departments.push_back(*fund);
        checkPlans(connection, options, departments);
    }
}

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmark(argc, argv, "engine_bench", kUsage, parse, measure); }
