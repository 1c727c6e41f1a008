#pragma once
// Design sizes are given in twips (1/1440 inch); widgets work in pixels at the
// screen's logical DPI.
class QWidget;

namespace tally::reportui {

inline constexpr double kTwipsPerInch = 1440.0;

// Twips to pixels at a logical DPI, rounded to the nearest pixel.
int twipsToPixels(double twips, double dpi);
// Pixels back to twips, rounded to whole twips.
int pixelsToTwips(int pixels, double dpi);

// The same along a widget's horizontal and vertical logical DPI.
int twipsX(double twips, const QWidget* widget);
int twipsY(double twips, const QWidget* widget);

}  // namespace tally::reportui
