#pragma once
// The windows write their Chinese texts in "微软雅黑". Where that family is not installed
// (Linux desktops), the name is mapped onto an installed CJK family so the texts render.
#include <QString>

namespace tally::app {

inline constexpr char kWindowFontFamily[] = "微软雅黑";

// Installed families tried for "微软雅黑", in order.
QStringList chineseFontSubstitutes();

// Registers the substitutes and makes "微软雅黑" the application font.
// Returns the family that actually draws it (empty when no CJK family is installed).
QString installChineseFont();

}  // namespace tally::app
