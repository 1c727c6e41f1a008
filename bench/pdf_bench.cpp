// pdf_bench: the full-year VAT invoicing report printed, timed in-process: the whole PDF
// written (pdf:write) and what the print preview does before it shows anything, laying
// out the pages and painting the first at screen size (pdf:first-page).
//
//   pdf_bench --db FILE --out FOLDER [--year 2026] [--runs 5]
//
// Prints tab-separated lines like engine_bench: key, median wall seconds, fastest wall
// seconds, median processor seconds, runs, note.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <filesystem>

#include "BenchProgram.h"
#include "BenchSelection.h"
#include "PdfFile.h"
#include "PrintTables.h"
#include "SqliteConnection.h"
#include "Stopwatch.h"
#include "TablePages.h"
#include "VatInvoicingReport.h"

using namespace tally;

namespace {

constexpr char kUsage[] = "usage: pdf_bench --db FILE --out FOLDER [--year YYYY] [--runs N]";

struct Options : bench::BenchOptions {
    std::string out;
};

bool parse(int argc, char** argv, Options& options) {
    const bool parsed =
        bench::parseBenchOptions(argc, argv, options, [&](const std::string& option, const std::string& value) {
            if (option != "--out") return false;
            options.out = value;
            return true;
        });
    return parsed && !options.out.empty();
}

// The first page as the preview paints it: an A4 landscape page about 1100 pixels wide.
void paintFirstPage(const pdf::PrintTable& table) {
    const pdf::TablePages pages(table);
    const QSizeF paper = pdf::TablePages::paperTwips();
    QImage image(1100, static_cast<int>(1100 * paper.height() / paper.width()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(image.width() / paper.width(), image.width() / paper.width());
    pages.paint(painter, 0);
}

void measure(const Options& options) {
    data::SqliteConnection connection(options.db);
    const auto department = bench::busiestDepartment(connection, options.year);
    reports::vat::VatInvoicingReport report;
    const std::shared_ptr<const reports::ReportResult> run =
        bench::runDetailReport(connection, report, department, options.year + "0101", options.year + "1231");
    const auto& result = dynamic_cast<const reports::vat::VatInvoicingResult&>(*run);
    const auto headings = report.layoutHeadings(result.items(), reports::defaultSplitRows(result.items()));
    const exports::DetailSheetLabels labels{report.titleFor(department), department.displayText(),
                                            options.year + "-01-01", options.year + "-12-31"};
    const pdf::PrintTable table = pdf::detailPrintTable(run, headings, labels);
    const std::filesystem::path file = std::filesystem::path(options.out) / "report.pdf";

    bench::Samples write, firstPage;
    for (int i = 0; i < options.runs; ++i) {
        write.add(bench::timeRuns(1, [&] { pdf::writePdf(table, file); }));
        firstPage.add(bench::timeRuns(1, [&] { paintFirstPage(table); }));
    }
    const pdf::TablePages pages(table);
    const std::string shape = std::to_string(result.rowCount()) + " rows x " + std::to_string(result.columnCount()) +
                              " columns, " + std::to_string(pages.pageCount()) + " pages, department " +
                              department.departmentCode;
    bench::printMeasurement("pdf:write", write.summary(),
                            shape + ", " + std::to_string(std::filesystem::file_size(file)) + " bytes");
    bench::printMeasurement("pdf:first-page", firstPage.summary(), shape);
}

}  // namespace

int main(int argc, char** argv) {
    // Pages are painted with QtGui; nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int guiArgc = 1;
    QGuiApplication app(guiArgc, argv);
    return bench::runBenchmark(argc, argv, "pdf_bench", kUsage, parse, measure);
}
