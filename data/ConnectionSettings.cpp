#include "ConnectionSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#include "Utf8Path.h"

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
    // Its handle is closed before QSettings writes it: Windows lets no one else write a
    // file another handle holds.
    QString tempName;
    {
        QTemporaryFile temp(target.absolutePath() + "/." + target.fileName() + ".XXXXXX");
        if (!temp.open())
            return "cannot write in " + target.absolutePath().toStdString() + ": " + temp.errorString().toStdString();
        temp.setAutoRemove(false);
        tempName = temp.fileName();
    }
    struct RemovedUnlessKept {
        QString name;
        bool kept = false;
        ~RemovedUnlessKept() {
            if (!kept) QFile::remove(name);
        }
    } guard{tempName};
    if (target.exists()) {
        QFile old(path), copy(tempName);
        if (!old.open(QIODevice::ReadOnly)) return "cannot read " + iniPath + ": " + old.errorString().toStdString();
        const QByteArray content = old.readAll();
        if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate) || copy.write(content) != content.size() ||
            !copy.flush())
            return "cannot write " + tempName.toStdString();
    }
    {
        QSettings store(tempName, QSettings::IniFormat);
        store.beginGroup("DBConfig");
        store.setValue("Svr", QString::fromStdString(s.server));
        store.setValue("UID", QString::fromStdString(s.login));
        store.setValue("PWD", QString::fromStdString(s.password));
        store.setValue("DBname", QString::fromStdString(s.catalog));
        store.endGroup();
        store.sync();
        if (store.status() != QSettings::NoError) return "cannot write " + tempName.toStdString();
    }
    // The password is in it: readable by the user alone.
    QFile::setPermissions(tempName, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Replaces an existing file in one step on both systems.
    std::error_code error;
    std::filesystem::rename(utf8Path(tempName.toStdString()), utf8Path(iniPath), error);
    if (error) return "cannot replace " + iniPath + ": " + error.message();
    guard.kept = true;
    return {};
}

}  // namespace tally::data
