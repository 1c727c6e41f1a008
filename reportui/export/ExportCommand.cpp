#include "ExportCommand.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <memory>
#include <system_error>

#include "BackgroundRun.h"
#include "Notifier.h"
#include "ReportWindowFrame.h"
#include "SheetError.h"

namespace tally::exports {
namespace {

// Paints what changed without taking clicks meant for the hidden commands.
void letWindowPaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void setCommandsVisible(const ExportControls& controls, bool visible) {
    if (controls.exitButton) controls.exitButton->setVisible(visible);
    if (controls.exportButton) controls.exportButton->setVisible(visible);
}

// The window as it was before the command: commands back, progress and caption gone.
void restoreControls(const ExportControls& controls) {
    if (controls.busyCaption) controls.busyCaption->hide();
    if (controls.progressBar) controls.progressBar->hide();
    setCommandsVisible(controls, true);
}

// Puts the window back as it was before the command, however the command ended.
class CommandsHidden {
public:
    explicit CommandsHidden(const ExportControls& controls) : controls_(controls) {
        setCommandsVisible(controls, false);
    }
    ~CommandsHidden() { restoreControls(controls_); }
    CommandsHidden(const CommandsHidden&) = delete;
    CommandsHidden& operator=(const CommandsHidden&) = delete;

private:
    const ExportControls& controls_;
};

// Hides the commands, asks for the file and, when it exists, whether to replace it; shows
// the progress bar at 0 and the busy caption. Nothing (and the commands back) when the
// user cancels or the name is refused.
std::optional<sheet::OutputTarget> prepareExport(const ExportControls& controls, const ExportJob& job,
                                                 const ExportEnvironment& environment, Notifier& notifier) {
    auto giveUp = [&controls, &notifier](const std::string& message) -> std::optional<sheet::OutputTarget> {
        restoreControls(controls);
        notifier.notice(message);
        return std::nullopt;
    };
    setCommandsVisible(controls, false);
    const QString filter = qtFileFilter(QString::fromUtf8(kSheetFileFilter));
    std::optional<QString> chosen =
        environment.chooseFile
            ? environment.chooseFile(controls.window, withSheetExtension(job.proposedName, filter.section(";;", 0, 0)),
                                     filter)
            : std::nullopt;
    if (!chosen) return giveUp(kExportCancelled);
    *chosen = withSheetExtension(*chosen);
    try {
        sheet::OutputTarget target = sheet::chooseOutput(chosen->toStdString(), environment.findConverter);
        std::error_code ignored;
        if (std::filesystem::exists(target.path, ignored) &&
            notifier.tell({QString::fromUtf8(kReplaceQuestion)
                               .arg(QString::fromStdString(target.path.filename().string()))
                               .toStdString(),
                           "系统提示", MessageIcon::Information, MessageButtons::YesNo}) != MessageAnswer::Yes)
            return giveUp(kExportCancelled);
        if (QProgressBar* bar = controls.progressBar) {
            bar->setRange(0, std::max(job.rowCount, 1));
            bar->setValue(0);
            bar->show();
        }
        if (controls.busyCaption) controls.busyCaption->show();
        letWindowPaint();
        return target;
    } catch (const sheet::SheetError& e) {
        return giveUp(e.messageText());
    }
}

}  // namespace

std::optional<QString> askWithSaveDialog(QWidget* parent, const QString& proposedName, const QString& qtFilter) {
    QString selectedFilter = qtFilter.section(";;", 0, 0);
    const QString chosen = QFileDialog::getSaveFileName(parent, QString(), proposedName, qtFilter, &selectedFilter,
                                                        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return std::nullopt;
    return withSheetExtension(chosen, selectedFilter);
}

QString withSheetExtension(const QString& name, const QString& qtFilterChoice) {
    const QString fileName = name.section('/', -1);
    for (const char* known : {".xlsx", ".xls"})
        if (fileName.endsWith(known, Qt::CaseInsensitive) && fileName.size() > int(std::strlen(known))) return name;
    const int star = qtFilterChoice.indexOf("*.");
    QString extension = ".xlsx";
    if (star >= 0) {
        const int end = qtFilterChoice.indexOf(')', star);
        const QString pattern = qtFilterChoice.mid(star + 1, end < 0 ? -1 : end - star - 1).trimmed();
        if (pattern.size() > 1 && !pattern.contains(' ')) extension = pattern;
    }
    return name + extension;
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
        [message, job, target = *target, progress] {
            *message = outcomeText(job, [&] { job.write(target, progress); });
        },
        [controls, message, &notifier](bool cancelled) {
            restoreControls(controls);
            if (!cancelled && *message) notifier.notice(**message);
        });
}

}  // namespace tally::exports
