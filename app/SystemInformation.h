#pragma once
// The system-information tool behind the About window's "系统信息" button. Linux desktops
// have no MSINFO registry entry, so the first known tool found on PATH is used.
#include <QString>
#include <QStringList>

namespace tally::app {

// Tried in this order.
QStringList systemInformationPrograms();

// Full path of the first of `programs` found on PATH; empty when none is there.
QString findSystemInformationProgram(const QStringList& programs = systemInformationPrograms());

// Starts the tool detached; false when none is found or it cannot be started.
bool startSystemInformationProgram();

}  // namespace tally::app
