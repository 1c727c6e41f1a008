// tallyvane-report: runs one report without a window (month-end batches, scripts, tests).
#include <QGuiApplication>

#include <cerrno>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>

#include "CliOptions.h"
#include "DetailCommand.h"
#include "ExplainCommand.h"
#include "Listings.h"
#include "LoggingConnection.h"
#include "OpenDatabase.h"
#include "PdfOutput.h"
#include "ProcessEnvironment.h"
#include "ReconciliationCommand.h"
#include "ReportCatalog.h"
#include "SheetError.h"
#include "SpreadsheetOutput.h"
#include "TempFile.h"
#include "Utf8Path.h"

using namespace tally;

namespace {

// json and csv files, like the workbooks, are written under a temporary name and renamed
// into place, so a full disk never leaves half a file under the chosen name.
int writeTextFile(const std::string& output, const std::function<void(std::ostream&)>& write) {
    try {
        const std::filesystem::path target = utf8Path(output);
        sheet::TempFile temp(target, target.extension().string());
        std::ofstream file(temp.path(), std::ios::binary | std::ios::trunc);
        write(file);
        file.flush();
        file.close();
        if (!file) throw sheet::fileError(errno ? errno : EIO, "无法写入文件", output);
        temp.commitTo(target);
        return 0;
    } catch (const sheet::SheetError& e) {
        std::cerr << e.messageText() << "\n";
    }
    return 1;
}

// Standard output, or --output FILE.
int writeText(const cli::CliOptions& options, const std::function<void(std::ostream&)>& write) {
    if (!options.output.empty()) return writeTextFile(options.output, write);
    write(std::cout);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "writing the result failed\n";
        return 1;
    }
    return 0;
}

int writeOutput(const cli::CliOptions& options, const cli::CommandOutcome& outcome) {
    if (options.format == "xlsx" || options.format == "xls") return cli::writeSpreadsheet(options, outcome, std::cerr);
    if (options.format == "pdf") return cli::writePdfReport(options, outcome, std::cerr);
    return writeText(options, [&](std::ostream& out) {
        if (options.format == "csv") cli::writeCsv(out, outcome.output);
        else cli::writeJson(out, outcome.output);
    });
}

std::unique_ptr<data::Connection> openConnection(const cli::CliOptions& options) {
    data::ConnectionSettings settings;
    if (!options.db.empty()) settings = {"sqlite:" + options.db, "", "", ""};
    else if (!options.settings.empty()) settings = data::readConnectionSettings(options.settings);
    else settings = data::readConnectionSettings();
    auto connection = data::connect(settings);
    if (!options.sqlLog.empty())
        connection = std::make_unique<data::LoggingConnection>(std::move(connection), options.sqlLog);
    return connection;
}

int runListing(data::Connection& connection, const cli::CliOptions& options) {
    const cli::ListingOutcome outcome =
        options.kind == "departments" ? cli::listDepartments(connection) : cli::listFeeItems(connection, options);
    if (!outcome.message.empty()) std::cerr << outcome.message << "\n";
    if (outcome.status != 0) return outcome.status;
    return writeText(options, [&](std::ostream& out) { cli::writeListing(out, outcome.listing, options.format); });
}

int runBatch(data::Connection& connection, const cli::CliOptions& options, const reports::DetailReport* report) {
    const auto selection = cli::selectDepartments(connection, options);
    if (selection.status != 0) {
        std::cerr << selection.message << "\n";
        return selection.status;
    }
    auto run = [&](const reports::DepartmentEntry& department) {
        if (!report) return cli::runReconciliationReportFor(connection, options, department);
        return cli::runDetailReportFor(connection, *report, options, department, std::cerr);
    };
    return cli::writeDepartmentSheets(options, selection.entries, run, std::cerr, cli::standardErrorIsTerminal());
}

}  // namespace

int main(int argc, char** argv) {
    cli::prepareProcess();
    const std::vector<std::string> args = cli::commandLineArguments(argc, argv);
    auto parsed = cli::parseCommandLine(args);
    if (!parsed.options) {
        (parsed.status == 0 ? std::cout : std::cerr) << parsed.message;
        return parsed.status;
    }
    const cli::CliOptions& options = *parsed.options;
    if (!options.settings.empty() && !std::filesystem::is_regular_file(utf8Path(options.settings))) {
        std::cerr << "--settings: no settings file " << options.settings << "\n";
        return 2;
    }

    std::unique_ptr<data::Connection> connection;
    try {
        connection = openConnection(options);
    } catch (const data::DbError& e) {
        std::cerr << "错误信息：" << e.description() << "\n";
        return 1;
    }

    if (options.isListing()) return runListing(*connection, options);
    if (options.explain) {
        cli::CommandOutcome outcome = cli::runExplain(*connection, options, std::cerr);
        if (!outcome.message.empty()) std::cerr << outcome.message << "\n";
        if (outcome.output.kind.empty()) return outcome.status;
        return writeOutput(options, outcome);
    }

    // The PDF pages are painted with QtGui, which needs an application and its fonts; the
    // tool never shows a window, so it needs no display either.
    std::unique_ptr<QGuiApplication> gui;
    int guiArgc = 1;
    if (options.format == "pdf") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        gui = std::make_unique<QGuiApplication>(guiArgc, argv);
        cli::prepareProcess();  // the application set the environment's locale
    }

    std::unique_ptr<reports::DetailReport> report;
    if (options.kind != "reconciliation") {
        report = reports::makeDetailReport(options.kind);
        if (!report) {
            std::cerr << "the " << options.kind << " report is not available in this build\n";
            return 1;
        }
    }
    if (options.isBatch()) return runBatch(*connection, options, report.get());

    cli::CommandOutcome outcome = report ? cli::runDetailReport(*connection, *report, options, std::cerr)
                                         : cli::runReconciliationReport(*connection, options);
    if (!outcome.message.empty()) std::cerr << outcome.message << "\n";
    // A reconciliation run that reported errors and went on still has its table to write.
    if (outcome.output.kind.empty()) return outcome.status;
    int written = writeOutput(options, outcome);
    return written != 0 ? written : outcome.status;
}
