#pragma once

#include <QString>

#include <limits>

class QFile;

// Why a file was not opened for reading.
enum class PlainFileRefusal {
    None,
    Missing,
    NotPlain, // a folder, pipe, socket or device
    TooLarge,
    Unreadable,
};

// Opens `path` into `file` for reading when it is a plain file of at most `maxBytes`. A pipe,
// socket or device is refused before anything reads from it: a pipe would block the reading
// for good, and a device such as /dev/zero never ends. Links are followed; the opened file
// itself is checked again, so a file swapped in between is refused as well.
PlainFileRefusal openPlainFile(const QString &path, QFile &file,
                               qint64 maxBytes = std::numeric_limits<qint64>::max());
