#include "ChineseFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace tally::app {

QStringList chineseFontSubstitutes() {
    return {"Microsoft YaHei",    "WenQuanYi Zen Hei",   "WenQuanYi Micro Hei", "Noto Sans CJK SC",
            "Source Han Sans SC", "Droid Sans Fallback", "AR PL UMing CN"};
}

QString installChineseFont() {
    const QString family = QString::fromUtf8(kWindowFontFamily);
    const QStringList installed = QFontDatabase::families();
    if (!installed.contains(family)) {
        QStringList available;
        for (const QString& candidate : chineseFontSubstitutes())
            if (installed.contains(candidate)) available << candidate;
        if (available.isEmpty()) return {};
        QFont::insertSubstitutions(family, available);
    }
    QFont font = QApplication::font();
    font.setFamily(family);
    QApplication::setFont(font);
    return QFontInfo(font).family();
}

}  // namespace tally::app
