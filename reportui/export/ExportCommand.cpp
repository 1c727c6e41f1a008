#include "ExportCommand.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

#include "Notifier.h"
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

void runExportCommand(const ExportControls& controls, const ExportJob& job, const ExportEnvironment& environment,
                      Notifier& notifier) {
    CommandsHidden hidden(controls);
    const std::optional<QString> chosen =
        environment.chooseFile ? environment.chooseFile(controls.window, job.proposedName,
                                                        qtFileFilter(QString::fromUtf8(kSheetFileFilter)))
                               : std::nullopt;
    if (!chosen) {
        notifier.notice(kExportCancelled);
        return;
    }

    QProgressBar* bar = controls.progressBar;
    if (bar) {
        bar->setRange(0, std::max(job.rowCount, 1));
        bar->setValue(0);
        bar->show();
    }
    letWindowPaint();
    try {
        const sheet::OutputTarget target = sheet::chooseOutput(chosen->toStdString(), environment.findConverter);
        if (controls.busyCaption) controls.busyCaption->show();
        letWindowPaint();
        job.write(target, [bar](int done, int) {
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

}  // namespace tally::exports
