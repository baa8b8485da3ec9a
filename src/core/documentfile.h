#pragma once

#include "core/codec.h"

#include <QString>

// Whole-file reading and writing of documents. Errors carry the classic error numbers:
// 53 file not found, 57 device I/O error, 61 disk full, 70 permission denied,
// 75 path/file access error, 76 path not found.
struct FileError
{
    int number = 0; // 0: success
    QString description; // Japanese description of the error
    bool ok() const { return number == 0; }
};
// The Japanese description of one of the error numbers above; empty for 0.
QString fileErrorDescription(int number);
// The same for a failure while reading: the description says that reading failed.
QString fileReadErrorDescription(int number);

struct ReadResult
{
    FileError error;
    QString text; // line breaks as in the file
};
ReadResult readDocumentFile(const QString &path);

// Writes `text` as Shift-JIS with every line break as CR LF, then one more CR LF. The whole
// file is encoded first and replaced atomically: a failed write leaves the old file as it
// was. The file's permissions are kept.
struct WriteResult
{
    FileError error;
    EncodeReport encoding;
};
WriteResult writeDocumentFile(const QString &path, const QString &text);
