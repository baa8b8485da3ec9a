#include "sitefind/sitefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <sys/stat.h>

namespace {

QList<QRegularExpression> patternExpressions(const QString &patterns)
{
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    QList<QRegularExpression> expressions;
    for (const QString &pattern : patterns.split(separators, Qt::SkipEmptyParts))
        expressions.append(
            QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                               QRegularExpression::CaseInsensitiveOption));
    return expressions;
}

struct FolderWalk
{
    const SiteFileFilter &filter;
    QList<QRegularExpression> patterns;
    QSet<QPair<quint64, quint64>> seenFolders; // device and inode of every folder entered
    SiteFileListing listing;

    bool nameMatches(const QString &name) const
    {
        return patterns.isEmpty()
               || std::any_of(
                   patterns.begin(), patterns.end(),
                   [&name](const QRegularExpression &re) { return re.match(name).hasMatch(); });
    }

    void skip(const QString &path, const QString &reason)
    {
        listing.skipped.append({path, reason});
    }

    void walk(const QString &folder)
    {
        struct stat info;
        if (::stat(QFile::encodeName(folder).constData(), &info) != 0) {
            skip(folder, QObject::tr("フォルダを読み込めません"));
            return;
        }
        if (seenFolders.contains({quint64(info.st_dev), quint64(info.st_ino)})) {
            skip(folder, QObject::tr("リンクが循環しています"));
            return;
        }
        seenFolders.insert({quint64(info.st_dev), quint64(info.st_ino)});
        QDir dir(folder);
        if (!dir.isReadable()) {
            skip(folder, QObject::tr("フォルダを読み込めません"));
            return;
        }
        const QFileInfoList entries = dir.entryInfoList(
            QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
            QDir::Name);
        for (const QFileInfo &entry : entries) {
            const QString path = entry.filePath();
            if (entry.isDir()) {
                if (filter.subFolders)
                    walk(path);
                continue;
            }
            if (!nameMatches(entry.fileName()))
                continue;
            if (entry.isSymLink() && !entry.exists()) {
                skip(path, QObject::tr("リンク先がありません"));
            } else if (!entry.isFile()) {
                continue; // pipes, sockets and devices are not pages
            } else if (entry.size() > filter.sizeLimit) {
                skip(path, QObject::tr("サイズが上限を超えています"));
            } else {
                listing.files.append(path);
            }
        }
    }
};

} // namespace

bool nameMatchesPatterns(const QString &name, const QString &patterns)
{
    SiteFileFilter filter;
    FolderWalk walk{filter, patternExpressions(patterns), {}, {}};
    return walk.nameMatches(name);
}

SiteFileListing listSiteFiles(const SiteFileFilter &filter)
{
    FolderWalk walk{filter, patternExpressions(filter.patterns), {}, {}};
    if (!QFileInfo(filter.folder).isDir()) {
        walk.skip(filter.folder, QObject::tr("フォルダが見つかりません"));
        return walk.listing;
    }
    walk.walk(filter.folder);
    std::sort(walk.listing.files.begin(), walk.listing.files.end());
    return walk.listing;
}
