#include "ConnectionSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace tally::data {
namespace {

ConnectionSettings readFrom(QSettings& store) {
    ConnectionSettings s;
    if (store.status() != QSettings::NoError) return s;
    store.beginGroup("DBConfig");
    s.server = store.value("Svr").toString().toStdString();
    s.login = store.value("UID").toString().toStdString();
    s.password = store.value("PWD").toString().toStdString();
    s.catalog = store.value("DBname").toString().toStdString();
    store.endGroup();
    return s;
}

}  // namespace

std::string userSettingsPath() {
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Korvane2011");
    return store.fileName().toStdString();
}

ConnectionSettings readConnectionSettings() { return readConnectionSettings(userSettingsPath()); }

ConnectionSettings readConnectionSettings(const std::string& iniPath) {
    QString path = QString::fromStdString(iniPath);
    QFileInfo info(path);
    if (info.exists() && (!info.isFile() || !info.isReadable())) return {};
    QSettings store(path, QSettings::IniFormat);
    return readFrom(store);
}

}  // namespace tally::data
