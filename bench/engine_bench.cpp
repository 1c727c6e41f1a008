// engine_bench: the report engines timed in-process (no command-line start-up, no
// output formatting), beside the floor statement on the same connection.
//
//   engine_bench --db FILE [--year 2026] [--runs 5] [--only floor,vat-invoicing,...]
//
// Prints the selection first ("selection", the busiest department of the year, the
// department with a 维修基金 item or "-"), then one tab-separated line per measurement:
// key, median wall seconds, fastest wall seconds, median processor seconds, runs, note.
// bench/run reads these lines.
#include <clocale>
#include <cstdio>
#include <functional>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSelection.h"
#include "ReportCatalog.h"
#include "SqliteConnection.h"
#include "Stopwatch.h"
#include "VatInvoicingReport.h"

using namespace tally;

namespace {

struct Options {
    std::string db;
    std::string year = "2026";
    int runs = 5;
    std::set<std::string> only;  // empty: everything
};

bool wanted(const Options& options, const std::string& key) { return options.only.empty() || options.only.count(key); }

void print(const std::string& key, const bench::Timing& t, const std::string& note) {
    std::printf("%s\t%.6f\t%.6f\t%.6f\t%d\t%s\n", key.c_str(), t.median, t.fastest, t.medianCpu, t.runs,
                note.c_str());
    std::fflush(stdout);
}

void measureFloor(data::Connection& connection, const Options& options) {
    long rows = 0;
    double sum = 0;
    auto t = bench::timeRuns(options.runs, [&] {
        rows = 0;
        auto rs = connection.open(bench::floorStatement(options.year));
        for (; !rs->eof(); rs->moveNext(), ++rows) sum += rs->field(3).number();
    });
    print("floor", t, std::to_string(rows) + " groups");
}

void measureDetail(data::Connection& connection, const Options& options, const std::string& key,
                   const std::string& kind, const reports::DepartmentEntry& department) {
    auto report = reports::makeDetailReport(kind);
    int rows = 0;
    auto t = bench::timeRuns(options.runs, [&] {
        rows = bench::runDetailReport(connection, *report, department, options.year + "0101", options.year + "1231")
                   ->rowCount();
    });
    print(key, t, "department " + department.departmentCode + ", " + std::to_string(rows) + " rows");
}

void measureReconciliation(data::Connection& connection, const Options& options,
                           const reports::DepartmentEntry& department) {
    std::size_t rows = 0;
    auto t = bench::timeRuns(options.runs, [&] {
        rows = bench::runYearReconciliation(connection, department, options.year).table.dataRowTexts().size();
    });
    print("engine:reconciliation", t, "department " + department.departmentCode + ", 12 months, " +
                                          std::to_string(rows) + " rows");
}

// A 100,000-row VAT invoicing result made of the rows of the line-by-line run (the
// largest result the demo gives), repeated; a page is 50 rows anywhere in it.
void measurePageDraw(data::Connection& connection, const Options& options,
                     const reports::DepartmentEntry& department) {
    const int kRows = 100000, kPageRows = 50;
    reports::vat::VatInvoicingReport report;
    auto run = bench::runDetailReport(connection, report, department, options.year + "0101", options.year + "1231");
    const auto& real = dynamic_cast<const reports::vat::VatInvoicingResult&>(*run);
    std::vector<reports::vat::InvoiceDetailRow> rows;
    rows.reserve(kRows);
    while (static_cast<int>(rows.size()) < kRows)
        rows.push_back(real.rows()[rows.size() % real.rows().size()]);
    const reports::vat::VatInvoicingResult result(std::move(rows), real.items());

    const int pages = kRows / kPageRows;
    const int drawn = std::max(options.runs, 101);
    std::vector<double> wall, cpu;
    std::size_t cells = 0;
    for (int i = 0; i < drawn; ++i) {
        const int first = static_cast<int>(static_cast<long>(i) * (pages - 1) / (drawn - 1)) * kPageRows;
        auto t = bench::timeRuns(1, [&] {
            for (int r = first; r < first + kPageRows; ++r) cells += result.drawRow(r).cells.size();
        });
        wall.push_back(t.median);
        cpu.push_back(t.medianCpu);
    }
    print("page-draw", bench::summarize(wall, cpu),
          std::to_string(kPageRows) + " rows of " + std::to_string(result.rowCount()) + " (" +
              std::to_string(result.columnCount()) + " columns), " + std::to_string(drawn) + " pages, " +
              std::to_string(cells / drawn) + " cells a page");
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--db") options.db = value();
        else if (arg == "--year") options.year = value();
        else if (arg == "--runs") options.runs = std::stoi(value());
        else if (arg == "--only") {
            std::stringstream list(value());
            for (std::string key; std::getline(list, key, ',');) options.only.insert(key);
        } else return false;
    }
    return !options.db.empty() && options.runs > 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");
    std::setlocale(LC_NUMERIC, "C");
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: engine_bench --db FILE [--year YYYY] [--runs N] [--only KEY,...]\n";
        return 2;
    }
    try {
        data::SqliteConnection connection(options.db);
        connection.setCommandTimeout(0);
        const auto busiest = bench::busiestDepartment(connection, options.year);
        const auto fund = bench::maintenanceFundDepartment(connection, options.year);
        std::printf("selection\t%s\t%s\n", busiest.departmentCode.c_str(),
                    fund ? fund->departmentCode.c_str() : "-");
        if (wanted(options, "floor")) measureFloor(connection, options);
        for (const auto& kind : reports::detailReportKinds())
            if (wanted(options, kind)) measureDetail(connection, options, "engine:" + kind, kind, busiest);
        if (wanted(options, "reconciliation")) measureReconciliation(connection, options, busiest);
        if (wanted(options, "per-line") || wanted(options, "page-draw")) {
            if (!fund) throw std::runtime_error("no department has a 维修基金 item in " + options.year);
            if (wanted(options, "per-line"))
                measureDetail(connection, options, "engine:vat-invoicing-per-line", "vat-invoicing", *fund);
            if (wanted(options, "page-draw")) measurePageDraw(connection, options, *fund);
        }
    } catch (const std::exception& e) {
        std::cerr << "engine_bench: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
