#include "Twips.h"

#include <QWidget>

#include <cmath>

namespace tally::reportui {

int twipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }

int pixelsToTwips(int pixels, double dpi) {
    return dpi > 0 ? static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi)) : 0;
}

int twipsX(double twips, const QWidget* widget) { return twipsToPixels(twips, widget->logicalDpiX()); }
int twipsY(double twips, const QWidget* widget) { return twipsToPixels(twips, widget->logicalDpiY()); }

}  // namespace tally::reportui
