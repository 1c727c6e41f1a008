#pragma once
// Qt's own texts in Chinese: the save dialog, the standard buttons (确定, 是, 否, 取消) and
// the file dialogs' questions, from Debian's qt6-translations-l10n.
#include <QString>

class QCoreApplication;
class QTranslator;

namespace tally::app {

// The file with qtbase's Chinese texts in Qt's translations folder.
QString qtChineseTextsFile();

// Installs qtbase's Chinese texts on `app`; the translator belongs to `app`. Returns
// null, and the program goes on with Qt's English texts, when the file is missing or
// cannot be read.
QTranslator* installQtChineseTexts(QCoreApplication& app, const QString& file = qtChineseTextsFile());

}  // namespace tally::app
