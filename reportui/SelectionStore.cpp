#include "SelectionStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tally::reportui {

SelectionStore::SelectionStore(QString filePath) : filePath_(std::move(filePath)) {}

QString SelectionStore::defaultFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath("selection.ini");
}

reports::RememberedValues SelectionStore::load() const {
    reports::RememberedValues values;
    const QFileInfo info(filePath_);
    if (!info.isFile() || !info.isReadable()) return values;
    const QSettings file(filePath_, QSettings::IniFormat);
    if (file.status() != QSettings::NoError) return values;
    for (const QString& key : file.allKeys()) {
        const QVariant value = file.value(key);
        // Anything but text was not written here.
        if (value.typeId() != QMetaType::QString) continue;
        values[key.toStdString()] = value.toString().toStdString();
    }
    return values;
}

bool SelectionStore::save(const reports::RememberedValues& values) const {
    const QFileInfo target(filePath_);
    if (target.exists() && !target.isFile()) return false;
    if (!QDir().mkpath(target.absolutePath())) return false;
    QSettings file(filePath_, QSettings::IniFormat);
    // A file QSettings could not read would be written back without the values it held.
    if (file.status() != QSettings::NoError) return false;
    for (const auto& [key, value] : values) file.setValue(QString::fromStdString(key), QString::fromStdString(value));
    file.sync();
    return file.status() == QSettings::NoError;
}

}  // namespace tally::reportui
