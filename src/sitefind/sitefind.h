#pragma once

#include "core/encodings.h"
#include "core/filelines.h"
#include "core/filestamp.h"
#include "sitefind/sitefiles.h"
#include "sitefind/sitematch.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class FolderSyncs;

// A file with matches: its text as read (in the encoding its bytes show) or as the window it
// is open in holds it, and the matches in that text.
struct SiteFile
{
    QString path;
    TextEncoding encoding = TextEncoding::ShiftJis;
    QString text;
    std::shared_ptr<const FileLines> lines; // the file as read; null for a text from a window
    FileStamp stamp;                        // the file as read
    bool inWindow = false;                  // the text is that of an open window
    QList<TextMatch> matches;
};

// Called with every file that has matches, every file skipped, and the count of files done
// of all, in the order of the listing and one call at a time, from the searching threads;
// returning false from `progress` stops the search there.
struct SiteFindReceiver
{
    std::function<void(const SiteFile &)> found;
    std::function<void(const SkippedFile &)> skipped;
    std::function<bool(int done, int total)> progress;
};

// Searches the files of `filter` for `search`. `windowTexts`: the texts of the files open in
// windows, by canonical path, searched instead of the files. Binary files (a NUL byte outside
// UTF-16) and files that cannot be read are skipped and said so. Runs on any thread.
void findInSite(const SiteFileFilter &filter, const SiteSearch &search,
                const QHash<QString, QString> &windowTexts, const SiteFindReceiver &receiver);

// The characters of the file's replacements that its encoding cannot hold, described for a
// message; empty when it holds them all.
QString unholdableReplacements(const SiteFile &file);

// A file written by a replace, with what it held before, for undoing the replace.
struct ReplacedFile
{
    QString path;
    std::shared_ptr<const FileLines> before;
    FileStamp written;
};

// Writes the file's replacements, in its own encoding, keeping the bytes of every line left
// alone. Refused, and the file left as it was, when the file changed since it was read, when
// its encoding cannot hold a replacement, or when the write fails: `problem` says why. With
// `folderSyncs`, the sync of the file's folder is left to it (writeDocumentFile).
bool writeReplacements(const SiteFile &file, ReplacedFile *replaced, QString *problem,
                       FolderSyncs *folderSyncs = nullptr);

// writeReplacements for every file, several at a time (each write waits on the disk); the
// outcomes in the order of `files`. Every folder is synced once, after its files are written.
// `progress`, when given, is called with the count of files done of all, one call at a time,
// from the writing threads; returning false stops before the next file: the files not begun
// are left as they were and their outcomes say so (`cancelled`).
struct ReplaceOutcome
{
    bool written = false;
    bool cancelled = false;
    ReplacedFile replaced;
    QString problem;
};
QList<ReplaceOutcome> writeAllReplacements(const QList<SiteFile> &files,
                                           const std::function<bool(int done, int total)> &progress
                                           = {});

// Puts a replaced file back as it was, byte for byte. Refused when the file changed since
// the replace wrote it; gives why, or an empty string on success. `folderSyncs` as for
// writeReplacements.
QString undoReplacement(const ReplacedFile &replaced, FolderSyncs *folderSyncs = nullptr);

// undoReplacement for every file, several at a time, each folder synced once at the end; the
// answers in the order of `replaced`.
QStringList undoAllReplacements(const QList<ReplacedFile> &replaced);
