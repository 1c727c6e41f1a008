#pragma once
// The settings file of what the report windows remember (reports::RememberedValues): its
// own INI file, apart from the connection settings, which this never writes. Reading or
// writing it never stops a window: a file that cannot be read reads as empty, and a
// failed write is only reported to the caller, which goes on.
#include <QString>

#include "SelectionMemory.h"

namespace tally::reportui {

class SelectionStore {
public:
    // The file at `filePath`; made, with its folder, on the first save.
    explicit SelectionStore(QString filePath);

    // selection.ini in the program's configuration folder of the user
    // (QStandardPaths::AppConfigLocation).
    static QString defaultFilePath();

    const QString& filePath() const { return filePath_; }

    // Every value in the file; empty when there is no file or it cannot be read.
    reports::RememberedValues load() const;
    // Writes `values` over the kept ones of the same keys, leaving the others. QSettings
    // writes a temporary file and renames it into place. False when that failed.
    bool save(const reports::RememberedValues& values) const;

private:
    QString filePath_;
};

}  // namespace tally::reportui
