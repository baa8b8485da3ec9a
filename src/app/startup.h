#pragma once

#include <QString>
#include <QStringList>

// The standard new-document template: fifteen lines joined by CR LF, no break at the end.
QString buildNewTemplate();

// The start-up sequence; returns the program's exit code. `files` (full paths) are opened
// instead of asking for a new document; a second start hands them to the running program.
int Main(const QStringList &files = {});
