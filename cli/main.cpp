// tallyvane-report: runs one report without a window (month-end batches, scripts, tests).
#include <clocale>
#include <fstream>
#include <iostream>

#include "CliOptions.h"
#include "DetailCommand.h"
#include "ReconciliationCommand.h"
#include "ReportCatalog.h"
#include "SharedConnection.h"
#include "SpreadsheetOutput.h"

using namespace tally;

namespace {

int writeOutput(const cli::CliOptions& options, const cli::CommandOutcome& outcome) {
    if (options.format == "xlsx" || options.format == "xls") return cli::writeSpreadsheet(options, outcome, std::cerr);
    std::ofstream file;
    if (!options.output.empty()) {
        file.open(options.output, std::ios::binary | std::ios::trunc);
        if (!file) {
            std::cerr << "cannot write " << options.output << "\n";
            return 1;
        }
    }
    std::ostream& out = options.output.empty() ? std::cout : file;
    if (options.format == "csv") cli::writeCsv(out, outcome.output);
    else cli::writeJson(out, outcome.output);
    out.flush();
    if (!out) {
        std::cerr << "writing the result failed\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");
    std::setlocale(LC_NUMERIC, "C");
    std::vector<std::string> args(argv + 1, argv + argc);
    auto parsed = cli::parseCommandLine(args);
    if (!parsed.options) {
        (parsed.status == 0 ? std::cout : std::cerr) << parsed.message;
        return parsed.status;
    }
    const cli::CliOptions& options = *parsed.options;

    std::unique_ptr<data::Connection> connection;
    try {
        data::ConnectionSettings settings =
            options.db.empty() ? data::readConnectionSettings() : data::ConnectionSettings{"sqlite:" + options.db, "", "", ""};
        connection = data::connect(settings);
    } catch (const data::DbError& e) {
        std::cerr << "错误信息：" << e.description() << "\n";
        return 1;
    }

    cli::CommandOutcome outcome;
    if (options.kind == "reconciliation") {
        outcome = cli::runReconciliationReport(*connection, options);
    } else {
        auto report = reports::makeDetailReport(options.kind);
        if (!report) {
            std::cerr << "the " << options.kind << " report is not available in this build\n";
            return 1;
        }
        outcome = cli::runDetailReport(*connection, *report, options);
    }
    if (!outcome.message.empty()) std::cerr << outcome.message << "\n";
    // A reconciliation run that reported errors and went on still has its table to write.
    if (outcome.output.kind.empty()) return outcome.status;
    int written = writeOutput(options, outcome);
    return written != 0 ? written : outcome.status;
}
