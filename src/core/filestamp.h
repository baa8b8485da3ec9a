#pragma once

#include <QString>

#include <sys/types.h>

// What a document remembers of its file at the moment it read or wrote it, to notice later
// that another program changed, replaced or deleted the file meanwhile. Size, modification
// time (to the nanosecond the file system keeps) and the file's identity (device and inode:
// programs that save by writing a new file and renaming it give a new inode).
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    dev_t device = 0;
    ino_t inode = 0;

    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// The stamp of the plain file at `path` as it is now; a missing path, or one that names a
// folder, device or pipe, gives a stamp that does not exist.
FileStamp fileStampOf(const QString &path);
// The stamp of an open file.
FileStamp fileStampOfDescriptor(int fd);
