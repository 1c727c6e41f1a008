#pragma once
// The report windows write in "微软雅黑"; the program maps that family onto an
// installed one where it is missing.
#include <QFont>

namespace tally::reportui {

inline constexpr char kWindowFontFamily[] = "微软雅黑";

QFont windowFont(double pointSize, bool bold = false);

}  // namespace tally::reportui
