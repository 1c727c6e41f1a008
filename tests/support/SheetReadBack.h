#pragma once
// A written .xlsx read back by openpyxl (Debian's python3-openpyxl, through /usr/bin/python3,
// which sees Debian's packages), for the window tests that export sheets.
#include <QProcess>
#include <QString>
#include <QStringList>

#include "Platform.h"

namespace tally::testing {

// The first sheet's max_row, then the value of each cell reference, one a line. Linux only
// (kLinuxToolsRun).
inline QStringList sheetValues(const QString& file, const QStringList& refs) {
    QProcess python;
    python.start("/usr/bin/python3", QStringList{"-c",
                                                 "import openpyxl, sys\n"
                                                 "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                                 "print(ws.max_row)\n"
                                                 "[print(ws[r].value) for r in sys.argv[2:]]",
                                                 file} +
                                         refs);
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace tally::testing
