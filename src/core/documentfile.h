#pragma once

#include "core/codec.h"
#include "core/encodings.h"
#include "core/filelines.h"
#include "core/filelinessnapshot.h"
#include "core/filestamp.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

// Whole-file reading and writing of documents. Errors carry the classic error numbers:
// 53 file not found, 57 device I/O error, 61 disk full, 70 permission denied,
// 75 path/file access error, 76 path not found.
struct FileError
{
    int number = 0;      // 0: success
    QString description; // Japanese description of the error
    bool ok() const { return number == 0; }
};
// The Japanese description of one of the error numbers above; empty for 0.
QString fileErrorDescription(int number);
// The same for a failure while reading: the description says that reading failed.
QString fileReadErrorDescription(int number);
// The error number above for the errno of a failed write.
int writeErrorNumber(int error);

struct ReadResult
{
    FileError error;
    QString text;                                   // line breaks as in the file
    TextEncoding encoding = TextEncoding::ShiftJis; // the encoding the text was read in
    FileStamp stamp;                                // the file as it was read
    std::shared_ptr<const FileLines> lines;         // the file line by line, for saving it again
};
// Reads the file in `encoding`, or in the encoding its bytes show (detectEncoding) when none
// is given. Any byte sequence reads: bytes the encoding cannot read are kept in the text.
// `path` may hold the kept bytes of a name that is not UTF-8 (nativepath.h).
ReadResult readDocumentFile(const QString &path,
                            std::optional<TextEncoding> encoding = std::nullopt);

// Writes `text` in `encoding` (writeLines): lines found unchanged in `previous`, the file as it
// was read or last written, come back as the bytes they were read from with their own line
// ends; without `previous` (a page never saved) every line break is written CR LF, then one
// more CR LF. The whole file is encoded first and replaced atomically: a failed write leaves
// the old file as it was. The file's permissions are kept. `path` may hold kept bytes, as for
// reading.
struct WriteResult
{
    FileError error;
    EncodeReport encoding;
    FileStamp stamp;         // the file as written; does not exist after a failure
    FileLinesSnapshot lines; // after a successful write: what the file holds now
};
//
// Each file's bytes reach the disk before it is renamed into place; the rename itself reaches
// the disk when its folder is synced. A write that is one of many hands that last step to
// `folderSyncs`, so that a folder of many written files is synced once, after all of them.
class FolderSyncs;
WriteResult writeDocumentFile(const QString &path, const QString &text,
                              TextEncoding encoding = TextEncoding::ShiftJis,
                              std::shared_ptr<const FileLines> previous = {},
                              FolderSyncs *folderSyncs = nullptr);

// The folders whose renames still wait to reach the disk. Safe to fill from several threads.
class FolderSyncs
{
public:
    FolderSyncs() = default;
    FolderSyncs(const FolderSyncs &) = delete;
    FolderSyncs &operator=(const FolderSyncs &) = delete;
    // Syncs whatever is left.
    ~FolderSyncs() { syncAll(); }

    void add(const QByteArray &nativeFolder);
    // Syncs every folder added since the last call, each once.
    void syncAll();

private:
    std::mutex m_lock;
    QSet<QByteArray> m_folders;
};
