// tallyvane-report: runs one report without a window (month-end batches, scripts, tests).
#include <cerrno>
#include <clocale>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "CliOptions.h"
#include "DetailCommand.h"
#include "ReconciliationCommand.h"
#include "ReportCatalog.h"
#include "OpenDatabase.h"
#include "SheetError.h"
#include "SpreadsheetOutput.h"
#include "TempFile.h"

using namespace tally;

namespace {

void writeText(std::ostream& out, const cli::CliOptions& options, const cli::CommandOutcome& outcome) {
    if (options.format == "csv") cli::writeCsv(out, outcome.output);
    else cli::writeJson(out, outcome.output);
    out.flush();
}

// json and csv files, like the workbooks, are written under a temporary name and renamed
// into place, so a full disk never leaves half a file under the chosen name.
int writeTextFile(const cli::CliOptions& options, const cli::CommandOutcome& outcome) {
    try {
        const std::filesystem::path target = options.output;
        sheet::TempFile temp(target, target.extension().native());
        std::ofstream file(temp.path(), std::ios::binary | std::ios::trunc);
        writeText(file, options, outcome);
        file.close();
        if (!file) throw sheet::fileError(errno ? errno : EIO, "无法写入文件", options.output);
        temp.commitTo(target);
        return 0;
    } catch (const sheet::SheetError& e) {
        std::cerr << e.messageText() << "\n";
    }
    return 1;
}

int writeOutput(const cli::CliOptions& options, const cli::CommandOutcome& outcome) {
    if (options.format == "xlsx" || options.format == "xls") return cli::writeSpreadsheet(options, outcome, std::cerr);
    if (!options.output.empty()) return writeTextFile(options, outcome);
    writeText(std::cout, options, outcome);
    if (!std::cout) {
        std::cerr << "writing the result failed\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails like a full disk, and the export says so,
    // instead of the process ending with the temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    std::setlocale(LC_ALL, "C.UTF-8");
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
