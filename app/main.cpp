// tallyvane: the desktop program. See LaunchOptions.h for the command line.
#include <QApplication>
#include <QTextStream>

#include <clocale>
#include <csignal>
#include <cstdlib>

#include "AboutDialog.h"
#include "ChineseFont.h"
#include "ConnectionSettingsDialog.h"
#include "DemoDatabaseFile.h"
#include "DetailExportCommand.h"
#include "ExplanationExportCommand.h"
#include "LaunchOptions.h"
#include "LoggingConnection.h"
#include "MessageBoxNotifier.h"
#include "OpenDatabase.h"
#include "PreviewCommands.h"
#include "QtChineseTexts.h"
#include "ReconciliationExportCommand.h"
#include "ReportWindowFactories.h"
#include "SelectionStore.h"
#include "StartUp.h"

using namespace tally::app;

namespace {

// Generates the demo database when missing; tells the user when that fails.
bool prepareDemoDatabase(const QString& path, tally::Notifier& notifier) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString whyNot;
    const bool ok = ensureDemoDatabase(path, defaultDemoGenerator(), &whyNot);
    QApplication::restoreOverrideCursor();
    if (!ok) notifier.tell({("演示数据库生成失败：" + whyNot).toStdString(), "连接提示"});
    return ok;
}

// TALLYVANE_SQL_LOG=FILE: every statement the windows send is appended to FILE.
std::unique_ptr<tally::data::Connection> openLoggedDatabase(const std::string& login, const std::string& password,
                                                            const std::string& catalog, const std::string& server) {
    auto connection = tally::data::OpenDatabase(login, password, catalog, server);
    const char* log = std::getenv("TALLYVANE_SQL_LOG");
    if (log && *log) connection = std::make_unique<tally::data::LoggingConnection>(std::move(connection), log);
    return connection;
}

}  // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails like a full disk, and the export says so,
    // instead of the program ending with the user's work.
#ifdef SIGXFSZ  // POSIX only: Windows has no file-size limit signal
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The command line is read before any window system is needed, and its mistakes go to
    // the terminal: the message boxes are not installed yet.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const LaunchOptions options = parseLaunchOptions(arguments);
    if (options.showHelp) {
        QTextStream(stdout) << launchHelpText();
        return 0;
    }
    if (options.showVersion) {
        QTextStream(stdout) << launchVersionText();
        return 0;
    }
    if (!options.error.isEmpty()) {
        tally::StandardErrorNotifier().tell({(options.error + "\n\n" + launchHelpText()).toStdString(), "tallyvane"});
        return 2;
    }

    QApplication app(argc, argv);
    // QApplication takes the user's locale; numbers still cross the libraries with a point
    // (libxlsxwriter prints them with printf, FreeTDS reads DECIMAL values with atof).
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("tallyvane");
    QApplication::setApplicationVersion(programVersion());

    installChineseFont();
    // Standard dialogs and buttons in Chinese when Debian's translations are installed.
    installQtChineseTexts(app);
    // The program's services, handed to every window it opens.
    MessageBoxNotifier notifier;
    // The windows' last selections, in a file of their own beside the user's settings.
    tally::reportui::SelectionStore selectionStore(tally::reportui::SelectionStore::defaultFilePath());
    auto factoriesFor = [&notifier, &selectionStore](tally::data::Connection& connection) {
        return reportWindowFactories({&connection, &notifier, tally::exports::detailExportHook(),
                                      tally::exports::reconciliationExportHook(), tally::reportui::detailPreviewHook(),
                                      tally::reportui::reconciliationPreviewHook(), &selectionStore,
                                      tally::exports::explanationExportHook()});
    };

    if (options.editSettings) {
        ConnectionSettingsDialog dialog(tally::data::userSettingsPath(), notifier);
        dialog.exec();
        return 0;
    }

    const QString demoFile = demoDatabasePath();
    if (options.source == LaunchOptions::Source::Demo && !prepareDemoDatabase(demoFile, notifier))
        return kConnectionFailedExitCode;

    StartUpResult started = StartUp(settingsSourceFor(options, demoFile), openLoggedDatabase, notifier, factoriesFor);
    if (!started.mainWindow) return started.exitCode;
    return app.exec();
}
