#pragma once

#include <QStringList>

class QMimeData;

// The local files a drag carries (file managers offer them as "file:" addresses), as full
// paths; empty when it carries none, for example text dragged from another program.
QStringList droppedFiles(const QMimeData *data);
