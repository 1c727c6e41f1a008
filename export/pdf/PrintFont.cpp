#include "PrintFont.h"

#include <QFontDatabase>
#include <QStringList>

#include "DetailSheet.h"

namespace tally::pdf {

QString printFontFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        const QStringList wanted = {QString::fromUtf8(exports::kSheetFont),
                                    "Microsoft YaHei",
                                    "WenQuanYi Zen Hei",
                                    "WenQuanYi Micro Hei",
                                    "Noto Sans CJK SC",
                                    "Source Han Sans SC",
                                    "Droid Sans Fallback",
                                    "AR PL UMing CN"};
        for (const QString& candidate : wanted)
            if (installed.contains(candidate)) return candidate;
        return QFont().family();
    }();
    return family;
}

QFont printFont(int sizeTwips, bool bold) {
    QFont font(printFontFamily());
    font.setPixelSize(sizeTwips);
    font.setBold(bold);
    // Glyph outlines, not hinted pixels: the page is scaled to fit before it is drawn.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace tally::pdf
