#pragma once
// The family the printed reports are written in: the sheet's "微软雅黑" where installed,
// else an installed CJK family, so Chinese text is drawn and embedded rather than boxes.
// Needs a QGuiApplication.
#include <QFont>
#include <QString>

namespace tally::pdf {

QString printFontFamily();
// The family at a size in logical units (twips on the page), so the text scales with the table.
QFont printFont(int sizeTwips, bool bold = false);

}  // namespace tally::pdf
