#include "DemoDatabaseFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <stdexcept>

#ifdef TALLYVANE_LINKS_DEMO_LIBRARY
#include "DemoDatabase.h"
#endif

namespace tally::app {
namespace {

#ifndef TALLYVANE_LINKS_DEMO_LIBRARY
// Next to this program when installed, in the build tree's demo folder, else on PATH.
QString demoProgram() {
    const QString name = "tallyvane-demo-db";
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(name), here.filePath("../demo/" + name)})
        if (QFileInfo(candidate).isExecutable()) return QFileInfo(candidate).absoluteFilePath();
    return QStandardPaths::findExecutable(name);
}

void runDemoProgram(const QString& path) {
    const QString program = demoProgram();
    if (program.isEmpty()) throw std::runtime_error("tallyvane-demo-db was not found");
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {path});
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
        throw std::runtime_error((output.isEmpty() ? process.errorString() : output).toStdString());
    }
}
#endif

}  // namespace

QString demoDatabasePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath("demo.sqlite");
}

DemoGenerator defaultDemoGenerator() {
#ifdef TALLYVANE_LINKS_DEMO_LIBRARY
    return [](const QString& path) { demo::generateDemoDatabase(path.toStdString(), demo::DemoOptions{}); };
#else
    return runDemoProgram;
#endif
}

bool ensureDemoDatabase(const QString& path, const DemoGenerator& generate, QString* whyNot) {
    if (QFileInfo(path).isFile()) return true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (whyNot) *whyNot = "cannot create the folder " + QFileInfo(path).absolutePath();
        return false;
    }
    try {
        generate(path);
    } catch (const std::exception& e) {
        if (whyNot) *whyNot = QString::fromStdString(e.what());
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        if (whyNot) *whyNot = "no database was written to " + path;
        return false;
    }
    return true;
}

}  // namespace tally::app
