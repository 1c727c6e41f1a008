#include "ExplanationExportCommand.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ExplanationSheet.h"

namespace tally::exports {

QString explanationExportName(const QString& caption) {
    QString name = caption;
    for (const QChar c : QStringLiteral("/\\:*?\"<>|")) name.replace(c, '_');
    return name;
}

void ExportExplanation(reportui::ExplainWindow& window, const ExportEnvironment& environment) {
    const auto result = window.result();
    if (!result) return;
    const std::string title = window.titleText().toStdString();

    ExportJob job;
    job.proposedName = explanationExportName(window.titleText());
    job.rowCount = result->rowCount();
    job.doneMessage = reportui::ExplainWindow::kExportSuccess;
    // The writing may run after this returns: it owns what it reads.
    job.write = [result, title](const sheet::OutputTarget& target, const ExportProgress& progress) {
        return ExportExplanationSheet(result->list(), title, target, progress);
    };
    runExportCommand(
        {&window, window.exportButton(), window.exitButton(), window.progressBar(), window.exportCaption()}, job,
        environment, window.notifier());
}

std::function<void(reportui::ExplainWindow&)> explanationExportHook(ExportEnvironment environment) {
    return [environment = std::move(environment)](reportui::ExplainWindow& window) {
        ExportExplanation(window, environment);
    };
}

}  // namespace tally::exports
