#pragma once
// The command line of `tallyvane`:
//   tallyvane               connect with the user's settings (Korvane2011.ini, DBConfig)
//   tallyvane --demo        open the demo database, generated into the cache folder if missing
//   tallyvane --db FILE     open the SQLite file FILE
//   tallyvane --settings    edit the connection settings (连接设置) and end
//   tallyvane --version
//   tallyvane --help
#include <QString>
#include <QStringList>

#include "StartUp.h"

namespace tally::app {

struct LaunchOptions {
    enum class Source { Settings, Demo, File };
    Source source = Source::Settings;
    QString databaseFile;  // --db
    bool showHelp = false;
    bool showVersion = false;
    bool editSettings = false;  // --settings: the settings dialog instead of the main window
    QString error;              // not empty when the command line is wrong
};

// `arguments` with the program first. Needs no application object, so --help and mistakes
// are answered without a display.
LaunchOptions parseLaunchOptions(const QStringList& arguments);
QString launchHelpText();
// "tallyvane " + the program's version and a newline.
QString launchVersionText();

// Where the connection values come from: the settings store, or a SQLite file for --demo
// (at `demoFile`) and --db. The settings store is not read for the last two.
SettingsSource settingsSourceFor(const LaunchOptions& options, const QString& demoFile);

}  // namespace tally::app
