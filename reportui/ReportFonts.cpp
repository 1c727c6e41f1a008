#include "ReportFonts.h"

namespace tally::reportui {

QFont windowFont(double pointSize, bool bold) {
    QFont font(QString::fromUtf8(kWindowFontFamily));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace tally::reportui
