// export_bench: the full-year VAT invoicing export timed in-process, beside the bare
// libxlsxwriter program writing the same cells with the same formats (BareSheet.h).
// The two are timed in turns, so load from other work on the machine falls on both.
//
//   export_bench --db FILE --out FOLDER [--year 2026] [--runs 5] [--plan FILE]
//
// Prints tab-separated lines like engine_bench: key, median wall seconds, fastest wall
// seconds, median processor seconds, runs, note. --plan writes the cells for xlsx_peer.py.
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "BareSheet.h"
#include "BenchSelection.h"
#include "DetailExport.h"
#include "SqliteConnection.h"
#include "Stopwatch.h"

using namespace tally;

namespace {

struct Options {
    std::string db, out, plan;
    std::string year = "2026";
    int runs = 5;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--db") options.db = value();
        else if (arg == "--out") options.out = value();
        else if (arg == "--plan") options.plan = value();
        else if (arg == "--year") options.year = value();
        else if (arg == "--runs") options.runs = std::stoi(value());
        else return false;
    }
    return !options.db.empty() && !options.out.empty() && options.runs > 0;
}

void print(const std::string& key, const bench::Timing& t, const std::string& note) {
    std::printf("%s\t%.6f\t%.6f\t%.6f\t%d\t%s\n", key.c_str(), t.median, t.fastest, t.medianCpu, t.runs,
                note.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: export_bench --db FILE --out FOLDER [--year YYYY] [--runs N] [--plan FILE]\n";
        return 2;
    }
    try {
        data::SqliteConnection connection(options.db);
        const auto department = bench::busiestDepartment(connection, options.year);
        reports::vat::VatInvoicingReport report;
        auto run = bench::runDetailReport(connection, report, department, options.year + "0101",
                                          options.year + "1231");
        const auto& result = dynamic_cast<const reports::vat::VatInvoicingResult&>(*run);
        const auto headings = report.layoutHeadings(result.items(), reports::defaultSplitRows(result.items()));
        const exports::DetailSheetLabels labels{report.titleFor(department), department.displayText(),
                                                options.year + "-01-01", options.year + "-12-31"};

        const std::filesystem::path folder(options.out);
        const std::string ours = (folder / "export-ours.xlsx").string();
        const std::string bare = (folder / "export-bare.xlsx").string();
        const exports::DetailSheetRequest request{headings, labels, sheet::chooseOutput(ours), {}};
        const bench::BareSheet plan = bench::planVatInvoicingSheet(result, headings, labels);
        if (!options.plan.empty()) {
            std::ofstream file(options.plan, std::ios::binary | std::ios::trunc);
            bench::writePlan(plan, file);
            if (!file.flush()) throw std::runtime_error("cannot write " + options.plan);
        }

        std::vector<double> oursWall, oursCpu, bareWall, bareCpu;
        for (int i = 0; i < options.runs; ++i) {
            auto a = bench::timeRuns(1, [&] { exports::ExportDetailResult(result, result.items(), request); });
            auto b = bench::timeRuns(1, [&] { bench::writeBareSheet(plan, bare); });
            oursWall.push_back(a.median), oursCpu.push_back(a.medianCpu);
            bareWall.push_back(b.median), bareCpu.push_back(b.medianCpu);
        }
        const std::string shape = std::to_string(result.rowCount()) + " rows x " +
                                  std::to_string(result.columnCount()) + " columns, department " +
                                  department.departmentCode;
        print("export:ours", bench::summarize(oursWall, oursCpu), shape);
        print("export:bare", bench::summarize(bareWall, bareCpu),
              std::to_string(plan.cells.size()) + " cells, " + std::to_string(plan.formats.size()) + " formats");
    } catch (const std::exception& e) {
        std::cerr << "export_bench: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
