#pragma once

#include "core/encodings.h"
#include "core/filelines.h"
#include "core/filestamp.h"
#include "sitefind/sitefiles.h"
#include "sitefind/sitematch.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

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
// its encoding cannot hold a replacement, or when the write fails: `problem` says why.
bool writeReplacements(const SiteFile &file, ReplacedFile *replaced, QString *problem);

// writeReplacements for every file, several at a time (each write waits on the disk); the
// outcomes in the order of `files`.
struct ReplaceOutcome
{
    bool written = false;
    ReplacedFile replaced;
    QString problem;
};
QList<ReplaceOutcome> writeAllReplacements(const QList<SiteFile> &files);

// Puts a replaced file back as it was, byte for byte. Refused when the file changed since
// the replace wrote it; gives why, or an empty string on success.
QString undoReplacement(const ReplacedFile &replaced);
