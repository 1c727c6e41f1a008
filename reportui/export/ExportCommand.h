#pragma once
// The "导出Excel" command around a report's export routine, for every report window:
// the commands hidden while it works, the save dialog with the proposed name, the
// progress bar counting rows, the busy caption, and the messages. Every message goes
// through the window's notifier.
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "ExportLabels.h"
#include "OutputTarget.h"

class QProgressBar;
class QPushButton;
class QWidget;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::exports {

inline constexpr const char* kSheetFileFilter = "电子表(.xlsx)|*.xlsx|电子表(.xls)|*.xls";
inline constexpr const char* kExportCancelled = "您取消了导出操作！";
inline constexpr const char* kExportingCaption = "正在导出数据，请稍等......";
inline constexpr const char* kConvertingCaption = "正在转换为 Excel 97-2003 格式…";
inline constexpr const char* kReplaceQuestion = "文件“%1”已存在，要替换它吗？";

// Asks for the file to write; nullopt when the user cancels. `qtFilter` is in Qt's syntax.
using SaveFileChooser =
    std::function<std::optional<QString>(QWidget* parent, const QString& proposedName, const QString& qtFilter)>;

// The save dialog (QFileDialog::getSaveFileName), the first filter preselected. A name left
// without a sheet extension gets the selected filter's. Replacing a file is asked about by
// the export command, not by the dialog.
std::optional<QString> askWithSaveDialog(QWidget* parent, const QString& proposedName, const QString& qtFilter);

// "description|pattern|description|pattern" as "description (pattern);;description (pattern)".
QString qtFileFilter(const QString& filter);

// The name as it is saved: one ending in .xlsx or .xls (any case) is kept; any other gets
// the extension of `qtFilterChoice` ("电子表(.xls) (*.xls)" -> ".xls"; ".xlsx" when it names none).
QString withSheetExtension(const QString& name, const QString& qtFilterChoice = QString());

// What the command asks the outside world: the program's dialog and converter lookup,
// stand-ins in tests.
struct ExportEnvironment {
    SaveFileChooser chooseFile = askWithSaveDialog;
    sheet::ConverterLookup findConverter = sheet::findOfficeConverter;
};

// The parts of the window the command drives.
struct ExportControls {
    QWidget* window = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* exitButton = nullptr;
    QProgressBar* progressBar = nullptr;
    QWidget* busyCaption = nullptr;  // "正在导出数据，请稍等......"; may be null
};

// Writes the sheet to `target`, reporting each row; returns the file written. Throws SheetError.
using SheetExport =
    std::function<std::filesystem::path(const sheet::OutputTarget& target, const ExportProgress& progress)>;

struct ExportJob {
    QString proposedName;
    int rowCount = 0;  // the progress bar counts to this
    SheetExport write;
    std::string doneMessage;
};

// Hides the commands, asks for the file ("您取消了导出操作！" on cancel), asks before an
// existing file is replaced (No counts as a cancel), shows the progress bar and the busy
// caption, writes the sheet, tells the user how it went ("错误号: N错误描述: ..." on
// failure) and brings the commands back. The proposed name carries ".xlsx". In a report
// window the sheet is written off the window's thread behind its busy panel, whose 取消
// stops it without a message and without a file; the command returns at once and the
// window says workFinished() at the end. `job.write` must then own what it reads.
void runExportCommand(const ExportControls& controls, const ExportJob& job, const ExportEnvironment& environment,
                      Notifier& notifier);

}  // namespace tally::exports
