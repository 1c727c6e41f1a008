#include "DetailExportCommand.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "DetailExport.h"
#include "ResultGrid.h"
#include "SheetError.h"

namespace tally::exports {

QString detailExportName(const QString& title, const QDate& start, const QDate& end) {
    return title + "_" + start.toString("yyyyMMdd") + "-" + end.toString("yyyyMMdd");
}

void ExportDetailReport(reportui::ReportWindow& window, const ExportEnvironment& environment) {
    const auto result = window.result();
    if (!result || result->rowCount() == 0) return;

    // The labels name the department and period the rows were computed from.
    DetailSheetRequest request;
    request.headings = window.resultGrid()->headings();
    request.labels = {window.titleText().toStdString(), window.resultDepartmentText(),
                      window.resultStart().toString("yyyy-MM-dd").toStdString(),
                      window.resultEnd().toString("yyyy-MM-dd").toStdString()};
    const reports::FeeItemList items = window.feeItems();

    ExportJob job;
    job.proposedName = detailExportName(window.titleText(), window.resultStart(), window.resultEnd());
    job.rowCount = result->rowCount();
    job.doneMessage = window.report().texts().exportSuccess;
    // The writing may run after this returns: it owns what it reads.
    job.write = [request, result, items](const sheet::OutputTarget& target, const ExportProgress& progress) {
        DetailSheetRequest writing = request;
        writing.target = target;
        writing.progress = progress;
        return ExportDetailResult(*result, items, writing);
    };
    runExportCommand(
        {&window, window.exportButton(), window.exitButton(), window.progressBar(), window.exportCaption()}, job,
        environment, window.notifier());
}

std::function<void(reportui::ReportWindow&)> detailExportHook(ExportEnvironment environment) {
    return [environment = std::move(environment)](reportui::ReportWindow& window) {
        ExportDetailReport(window, environment);
    };
}

}  // namespace tally::exports
