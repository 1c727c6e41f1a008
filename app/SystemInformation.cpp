#include "SystemInformation.h"

#include <QProcess>
#include <QStandardPaths>

namespace tally::app {

QStringList systemInformationPrograms() {
    return {"gnome-system-monitor", "hardinfo", "ksysguard", "plasma-systemmonitor", "xfce4-taskmanager",
            "mate-system-monitor",  "lxtask"};
}

QString findSystemInformationProgram(const QStringList& programs) {
    for (const QString& program : programs) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) return path;
    }
    return {};
}

bool startSystemInformationProgram() {
    const QString program = findSystemInformationProgram();
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

}  // namespace tally::app
