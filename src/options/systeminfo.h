#pragma once

#include <QString>
#include <QStringList>

// The system information programs looked for, in this order: KDE's and the stand-alone
// system information viewers first, then GNOME's system monitor.
QStringList systemInfoCandidates();

// The first candidate found as an executable in `searchPaths` (empty: the PATH), or "".
QString findSystemInfoProgram(const QStringList &searchPaths = {});

// Launches the system information program without waiting; when there is none, or it does
// not start, says that system information is not available.
void StartSysInfo(const QStringList &searchPaths = {});
