#pragma once

#include <QString>
#include <QStringList>

// The documents named on the command line as full, clean paths: relative names are taken
// from `currentFolder`, "file:" addresses become their local paths, empty arguments are
// dropped. A second start hands these to the running program, whose folder may differ.
QStringList documentPaths(const QStringList &arguments, const QString &currentFolder);
