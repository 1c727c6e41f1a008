#pragma once
// The program's own pictures, drawn rather than shipped: the banner of the main window's
// picture strip, the emblem (window icon and About picture) and the default desktop
// background written as MDI.BMP. Drawing text needs a QGuiApplication.
#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tally::app {

inline constexpr QSize kBannerSize{1028, 54};
inline constexpr QSize kBackgroundSize{1024, 768};

// 24-bit banner. Everything from x = 590 px rightwards is a plain vertical gradient except
// the bar-chart ornament at the far right, so repeated slices and the squeezed ornament
// join without seams.
QImage drawBanner();
// Square emblem: tally marks on a rounded tile.
QImage drawEmblem(int side);
// The emblem as an SVG document (the desktop's scalable icon).
QByteArray emblemSvg();
// 24-bit background: a soft diagonal gradient with the program name.
QImage drawBackground();

}  // namespace tally::app
