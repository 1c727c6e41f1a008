#include "ExportCommand.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <system_error>

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

void runExportCommand(const ExportControls& controls, const ExportJob& job, const ExportEnvironment& environment,
                      Notifier& notifier) {
    CommandsHidden hidden(controls);
    const QString filter = qtFileFilter(QString::fromUtf8(kSheetFileFilter));
    std::optional<QString> chosen =
        environment.chooseFile
            ? environment.chooseFile(controls.window, withSheetExtension(job.proposedName, filter.section(";;", 0, 0)),
                                     filter)
            : std::nullopt;
    if (!chosen) {
        notifier.notice(kExportCancelled);
        return;
    }
    *chosen = withSheetExtension(*chosen);

    QProgressBar* bar = controls.progressBar;
    if (bar) {
        bar->setRange(0, std::max(job.rowCount, 1));
        bar->setValue(0);
        bar->show();
    }
    letWindowPaint();
    try {
        const sheet::OutputTarget target = sheet::chooseOutput(chosen->toStdString(), environment.findConverter);
        std::error_code ignored;
        if (std::filesystem::exists(target.path, ignored) &&
            notifier.tell({QString::fromUtf8(kReplaceQuestion)
                               .arg(QString::fromStdString(target.path.filename().native()))
                               .toStdString(),
                           "系统提示", MessageIcon::Information, MessageButtons::YesNo}) != MessageAnswer::Yes) {
            notifier.notice(kExportCancelled);
            return;
        }
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
