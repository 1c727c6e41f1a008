// export_bench: the full-year VAT invoicing export timed in-process, beside the bare
// libxlsxwriter program writing the same cells with the same formats (BareSheet.h).
// The two are timed in turns, so load from other work on the machine falls on both.
//
//   export_bench --db FILE --out FOLDER [--year 2026] [--runs 5] [--plan FILE]
//
// Prints tab-separated lines like engine_bench: key, median wall seconds, fastest wall
// seconds, median processor seconds, runs, note. --plan writes the cells for xlsx_peer.py.
#include <filesystem>
#include <fstream>

#include "BareSheet.h"
#include "BenchProgram.h"
#include "BenchSelection.h"
#include "DetailExport.h"
#include "SqliteConnection.h"
#include "Stopwatch.h"

using namespace tally;

namespace {

constexpr char kUsage[] = "usage: export_bench --db FILE --out FOLDER [--year YYYY] [--runs N] [--plan FILE]";

struct Options : bench::BenchOptions {
    std::string out, plan;
};

bool parse(int argc, char** argv, Options& options) {
    const bool parsed =
        bench::parseBenchOptions(argc, argv, options, [&](const std::string& option, const std::string& value) {
            if (option == "--out") options.out = value;
            else if (option == "--plan") options.plan = value;
            else return false;
            return true;
        });
    return parsed && !options.out.empty();
}

void measure(const Options& options) {
    data::SqliteConnection connection(options.db);
    const auto department = bench::busiestDepartment(connection, options.year);
    reports::vat::VatInvoicingReport report;
    auto run = bench::runDetailReport(connection, report, department, options.year + "0101", options.year + "1231");
    const auto& result = dynamic_cast<const reports::vat::VatInvoicingResult&>(*run);
    const auto headings = report.layoutHeadings(result.items(), reports::defaultSplitRows(result.items()));
    const exports::DetailSheetLabels labels{report.titleFor(department), department.displayText(),
                                            options.year + "-01-01", options.year + "-12-31"};

    const std::filesystem::path folder(options.out);
    const std::string oursPath = (folder / "export-ours.xlsx").string();
    const std::string barePath = (folder / "export-bare.xlsx").string();
    const exports::DetailSheetRequest request{headings, labels, sheet::chooseOutput(oursPath), {}};
    const bench::BareSheet plan = bench::planVatInvoicingSheet(result, headings, labels);
    if (!options.plan.empty()) {
        std::ofstream file(options.plan, std::ios::binary | std::ios::trunc);
        bench::writePlan(plan, file);
        if (!file.flush()) throw std::runtime_error("cannot write " + options.plan);
    }

    bench::Samples ours, bare;
    for (int i = 0; i < options.runs; ++i) {
        ours.add(bench::timeRuns(1, [&] { exports::ExportDetailResult(result, result.items(), request); }));
        bare.add(bench::timeRuns(1, [&] { bench::writeBareSheet(plan, barePath); }));
    }
    const std::string shape = std::to_string(result.rowCount()) + " rows x " + std::to_string(result.columnCount()) +
                              " columns, department " + department.departmentCode;
    bench::printMeasurement("export:ours", ours.summary(), shape);
    const std::string sheet =
        std::to_string(plan.cells.size()) + " cells, " + std::to_string(plan.formats.size()) + " formats";
    bench::printMeasurement("export:bare", bare.summary(), sheet);
}

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmark(argc, argv, "export_bench", kUsage, parse, measure); }
