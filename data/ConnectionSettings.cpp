#include "ConnectionSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tally::data {
namespace {

// An unquoted value with commas comes back as a list ("db,1433" -> "db", "1433").
std::string text(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

ConnectionSettings readFrom(QSettings& store) {
    ConnectionSettings s;
    if (store.status() != QSettings::NoError) return s;
    store.beginGroup("DBConfig");
    s.server = text(store.value("Svr"));
    s.login = text(store.value("UID"));
    s.password = text(store.value("PWD"));
    s.catalog = text(store.value("DBname"));
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

std::string writeConnectionSettings(const ConnectionSettings& s, const std::string& iniPath) {
    const QString path = QString::fromStdString(iniPath);
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) return iniPath + " is not a file";
    if (!QDir().mkpath(target.absolutePath())) return "cannot create the folder " + target.absolutePath().toStdString();

    // The temporary copy starts as the old file, so the other sections and keys stay.
    QTemporaryFile temp(target.absolutePath() + "/." + target.fileName() + ".XXXXXX");
    if (!temp.open())
        return "cannot write in " + target.absolutePath().toStdString() + ": " + temp.errorString().toStdString();
    if (target.exists()) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) return "cannot read " + iniPath + ": " + old.errorString().toStdString();
        const QByteArray content = old.readAll();
        if (temp.write(content) != content.size()) return "cannot write " + temp.fileName().toStdString();
    }
    temp.close();
    {
        QSettings store(temp.fileName(), QSettings::IniFormat);
        store.beginGroup("DBConfig");
        store.setValue("Svr", QString::fromStdString(s.server));
        store.setValue("UID", QString::fromStdString(s.login));
        store.setValue("PWD", QString::fromStdString(s.password));
        store.setValue("DBname", QString::fromStdString(s.catalog));
        store.endGroup();
        store.sync();
        if (store.status() != QSettings::NoError) return "cannot write " + temp.fileName().toStdString();
    }
    // The password is in it: readable by the user alone.
    QFile::setPermissions(temp.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return "cannot replace " + iniPath + ": " + std::strerror(errno);
    temp.setAutoRemove(false);
    return {};
}

}  // namespace tally::data
