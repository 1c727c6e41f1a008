// floor_query: the floor as a whole command, to set beside tallyvane-report's command
// times: starts, opens the database the way the reports do, sends the floor statement
// once and writes every group as a tab-separated line (invoice, batch, item, amount, tax).
//
//   floor_query --db FILE --department CODE [--year 2026] [--reconciliation]
//
// The invoicing floor covers the year; --reconciliation gives the reconciliation's floor.
#include <cstdio>
#include <string>
#include <vector>

#include "BenchProgram.h"
#include "BenchSelection.h"
#include "SqliteConnection.h"

using namespace tally;

namespace {

constexpr char kUsage[] = "usage: floor_query --db FILE --department CODE [--year YYYY] [--reconciliation]";

struct Options : bench::BenchOptions {
    std::string department;
    bench::FloorLines lines = bench::FloorLines::Invoicing;
};

bool parse(int argc, char** argv, Options& options) {
    // --reconciliation takes no value: drop it before the shared parser, which pairs options with values
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--reconciliation") options.lines = bench::FloorLines::Reconciliation;
        else rest.push_back(argv[i]);
    }
    const bool parsed = bench::parseBenchOptions(static_cast<int>(rest.size()), rest.data(), options,
                                                 [&](const std::string& option, const std::string& value) {
                                                     if (option != "--department") return false;
                                                     options.department = value;
                                                     return true;
                                                 });
    return parsed && !options.department.empty();
}

void measure(const Options& options) {
    data::SqliteConnection connection(options.db);
    auto rs = connection.open(
        bench::floorStatement(options.lines, options.department, options.year + "0101", options.year + "1231"),
        data::Connection::kNoTimeout);
    std::string line;
    for (; !rs->eof(); rs->moveNext()) {
        line.clear();
        for (int i = 0; i < 5; ++i) {
            if (i) line += '\t';
            line += rs->field(i).text();
        }
        line += '\n';
        std::fputs(line.c_str(), stdout);
    }
}

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmark(argc, argv, "floor_query", kUsage, parse, measure); }
