#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The files of a site that a search across a folder reads: the names that match the patterns,
// in the folder and (when asked) its sub-folders, sorted by path.
struct SiteFileFilter
{
    QString folder;
    QString patterns = QStringLiteral("*.htm;*.html;*.shtml;*.css;*.js;*.txt");
    bool subFolders = true;
    qint64 sizeLimit = 20 * 1024 * 1024; // bytes; a larger file is skipped
};

// A file left out, and why (a line of the results list).
struct SkippedFile
{
    QString path;
    QString reason;
};

struct SiteFileListing
{
    QStringList files;
    QList<SkippedFile> skipped;
};

// The patterns of "*.htm;*.html" (separated by ';', ',' or blanks) as one test of a file name,
// without letter case. No pattern matches every file.
bool nameMatchesPatterns(const QString &name, const QString &patterns);

// Lists the files under `filter.folder`. Files over the size limit, folders that cannot be
// read and links that lead back into a folder already listed are skipped and said so; a link
// to a file or a folder elsewhere is followed.
SiteFileListing listSiteFiles(const SiteFileFilter &filter);
