#include "QtChineseTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace tally::app {

QString qtChineseTextsFile() {
    return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_zh_CN.qm");
}

QTranslator* installQtChineseTexts(QCoreApplication& app, const QString& file) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(file) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace tally::app
