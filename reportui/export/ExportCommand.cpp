#include "ExportCommand.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <memory>

#include "BackgroundRun.h"
#include "Notifier.h"
#include "ReportWindowFrame.h"
#include "SheetError.h"

namespace tally::exports {
namespace {

// Paints what changed without taking clicks meant for the hidden commands.
void letWindowPaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

// Puts the window back as it was before the command, however the command ended.
class CommandsHidden {
public:
    explicit CommandsHidden(const ExportControls& controls) : controls_(controls) { setCommandsVisible(false); }
    ~CommandsHidden() {
        if (controls_.busyCaption) controls_.busyCaption->hide();
        if (controls_.progressBar) controls_.progressBar->hide();
        setCommandsVisible(true);
    }
    CommandsHidden(const CommandsHidden&) = delete;
    CommandsHidden& operator=(const CommandsHidden&) = delete;

private:
    void setCommandsVisible(bool visible) {
        if (controls_.exitButton) controls_.exitButton->setVisible(visible);
        if (controls_.exportButton) controls_.exportButton->setVisible(visible);
    }
    const ExportControls& controls_;
};

}  // namespace

namespace {

// Hides the commands and asks for the file; shows the progress bar at 0 and the busy
// caption. Nothing (and the commands back) when the user cancels or the name is refused.
std::optional<sheet::OutputTarget> prepareExport(const ExportControls& controls, const ExportJob& job,
                                                 const ExportEnvironment& environment, Notifier& notifier) {
    if (controls.exitButton) controls.exitButton->setVisible(false);
    if (controls.exportButton) controls.exportButton->setVisible(false);
    const std::optional<QString> chosen =
        environment.chooseFile ? environment.chooseFile(controls.window, job.proposedName,
                                                        qtFileFilter(QString::fromUtf8(kSheetFileFilter)))
                               : std::nullopt;
    if (!chosen) {
        notifier.notice(kExportCancelled);
        if (controls.exitButton) controls.exitButton->setVisible(true);
        if (controls.exportButton) controls.exportButton->setVisible(true);
        return std::nullopt;
    }
    QProgressBar* bar = controls.progressBar;
    if (bar) {
        bar->setRange(0, std::max(job.rowCount, 1));
        bar->setValue(0);
        bar->show();
    }
    letWindowPaint();
    try {
        sheet::OutputTarget target = sheet::chooseOutput(chosen->toStdString(), environment.findConverter);
        if (controls.busyCaption) controls.busyCaption->show();
        return target;
    } catch (const sheet::SheetError& e) {
        if (controls.busyCaption) controls.busyCaption->hide();
        if (bar) bar->hide();
        if (controls.exitButton) controls.exitButton->setVisible(true);
        if (controls.exportButton) controls.exportButton->setVisible(true);
        notifier.notice(e.messageText());
        return std::nullopt;
    }
}

}  // namespace

std::optional<QString> askWithSaveDialog(QWidget* parent, const QString& proposedName, const QString& qtFilter) {
    const QString chosen = QFileDialog::getSaveFileName(parent, QString(), proposedName, qtFilter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList choices;
    for (int i = 0; i + 1 < parts.size(); i += 2) choices << parts[i] + " (" + parts[i + 1] + ")";
    return choices.join(";;");
}

namespace {

// A stand-in window without the background machinery: the sheet is written here.
void runExportHere(const ExportControls& controls, const ExportJob& job, const ExportEnvironment& environment,
                   Notifier& notifier) {
    CommandsHidden hidden(controls);
    std::optional<sheet::OutputTarget> target = prepareExport(controls, job, environment, notifier);
    if (!target) return;
    QProgressBar* bar = controls.progressBar;
    letWindowPaint();
    try {
        job.write(*target, [bar](int done, int) {
            if (bar) bar->setValue(done);
        });
        if (controls.busyCaption) controls.busyCaption->hide();
        notifier.notice(job.doneMessage);
    } catch (const sheet::SheetError& e) {
        if (controls.busyCaption) controls.busyCaption->hide();
        notifier.notice(e.messageText());
    } catch (const std::exception& e) {
        if (controls.busyCaption) controls.busyCaption->hide();
        notifier.notice(sheet::exportErrorText(0, e.what()));
    }
}

// Progress crosses to the window's thread about this many times per export at most.
constexpr int kProgressSteps = 200;

void restoreControls(const ExportControls& controls) {
    if (controls.busyCaption) controls.busyCaption->hide();
    if (controls.progressBar) controls.progressBar->hide();
    if (controls.exitButton) controls.exitButton->setVisible(true);
    if (controls.exportButton) controls.exportButton->setVisible(true);
}

// How an export ended, for the message that follows it.
std::optional<std::string> outcomeText(const ExportJob& job, const std::function<void()>& write) {
    try {
        write();
        return job.doneMessage;
    } catch (const sheet::SheetError& e) {
        if (e.number == sheet::sheet_errors::kCancelled) return std::nullopt;
        return e.messageText();
    } catch (const std::exception& e) {
        return sheet::exportErrorText(0, e.what());
    }
}

}  // namespace

void runExportCommand(const ExportControls& controls, const ExportJob& job, const ExportEnvironment& environment,
                      Notifier& notifier) {
    auto* frame = qobject_cast<reportui::ReportWindowFrame*>(controls.window);
    if (frame && frame->busy()) return;
    if (!frame) {
        runExportHere(controls, job, environment, notifier);
        return;
    }
    std::optional<sheet::OutputTarget> target = prepareExport(controls, job, environment, notifier);
    if (!target) return;

    // The rows are written off the window's thread; the window keeps painting and 取消
    // stops the writing (or the conversion), which then leaves no file behind.
    reportui::BackgroundRun* run = &frame->backgroundRun();
    target->stopRequested = [run] { return run->cancelRequested(); };
    const bool toXls = target->format == sheet::SheetFileFormat::Xls;
    QPointer<QProgressBar> bar = controls.progressBar;
    auto message = std::make_shared<std::optional<std::string>>();
    auto step = std::make_shared<int>(0);  // on the work's thread only
    ExportProgress progress = [run, bar, frame, toXls, step](int done, int total) {
        if (run->cancelRequested()) throw sheet::SheetError(sheet::sheet_errors::kCancelled, "导出已取消");
        const int every = std::max(1, total / kProgressSteps);
        if (done < total && done - *step < every) return;
        *step = done;
        run->post([bar, frame, toXls, done, total] {
            if (bar) bar->setValue(done);
            // Once the rows are in, the office program takes over: say so instead of a full bar.
            if (toXls && done >= total) {
                if (bar) bar->hide();
                frame->setBusyCaption(QString::fromUtf8(kConvertingCaption));
            }
        });
    };
    frame->runInBackground(
        QString::fromUtf8(kExportingCaption), nullptr,
        [message, job, target = *target, progress] { *message = outcomeText(job, [&] { job.write(target, progress); }); },
        [controls, message, &notifier](bool cancelled) {
            restoreControls(controls);
            if (!cancelled && *message) notifier.notice(**message);
        });
}

}  // namespace tally::exports
