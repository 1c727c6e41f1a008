#include "LaunchOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "AboutDialog.h"

namespace tally::app {
namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{QStringList{"h", "help"}, "Show this help."};
    QCommandLineOption demo{"demo", "Open the demo database (generated into the cache folder when missing)."};
    QCommandLineOption db{"db", "Open the SQLite database FILE.", "FILE"};
    QCommandLineOption settings{"settings", "Edit the connection settings (连接设置) in Korvane2011.ini."};
    QCommandLineOption version{"version", "Show the program's version."};

    Parser() {
        parser.setApplicationDescription(
            "Tallyvane: fee-collection statistics and reports.\n"
            "Without options it connects with the settings in Korvane2011.ini.");
        parser.addOption(help);
        parser.addOption(demo);
        parser.addOption(db);
        parser.addOption(settings);
        parser.addOption(version);
    }
};

data::ConnectionSettings sqliteFile(const QString& file) {
    data::ConnectionSettings s;
    s.server = "sqlite:" + QFileInfo(file).absoluteFilePath().toStdString();
    return s;
}

}  // namespace

LaunchOptions parseLaunchOptions(const QStringList& arguments) {
    Parser p;
    LaunchOptions options;
    if (!p.parser.parse(arguments)) {
        options.error = p.parser.errorText();
        return options;
    }
    if (p.parser.isSet(p.help)) {
        options.showHelp = true;
        return options;
    }
    if (p.parser.isSet(p.version)) {
        options.showVersion = true;
        return options;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        options.error = "Unexpected argument: " + p.parser.positionalArguments().first();
    } else if (p.parser.isSet(p.settings) && (p.parser.isSet(p.demo) || p.parser.isSet(p.db))) {
        options.error = "--settings cannot be used with --demo or --db.";
    } else if (p.parser.isSet(p.settings)) {
        options.editSettings = true;
    } else if (p.parser.isSet(p.demo) && p.parser.isSet(p.db)) {
        options.error = "--demo and --db cannot be used together.";
    } else if (p.parser.isSet(p.db)) {
        options.source = LaunchOptions::Source::File;
        options.databaseFile = p.parser.value(p.db);
        if (options.databaseFile.isEmpty()) options.error = "--db needs a file name.";
    } else if (p.parser.isSet(p.demo)) {
        options.source = LaunchOptions::Source::Demo;
    }
    return options;
}

QString launchHelpText() {
    Parser p;
    // Read before the application object exists, the parser does not know the program's name.
    return p.parser.helpText().replace("<executable_name>", "tallyvane");
}

QString launchVersionText() { return "tallyvane " + programVersion() + "\n"; }

SettingsSource settingsSourceFor(const LaunchOptions& options, const QString& demoFile) {
    switch (options.source) {
    case LaunchOptions::Source::Demo: return [demoFile] { return sqliteFile(demoFile); };
    case LaunchOptions::Source::File: return [file = options.databaseFile] { return sqliteFile(file); };
    case LaunchOptions::Source::Settings: break;
    }
    return [] { return data::readConnectionSettings(); };
}

}  // namespace tally::app
