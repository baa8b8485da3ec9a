#include "check/linkcheck.h"

#include "check/pagescan.h"
#include "core/documentfile.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QRegularExpression>
#include <QUrl>

#include <optional>

namespace {

bool isReferenceAttribute(const QString &name)
{
    return name == QLatin1String("href") || name == QLatin1String("src")
           || name == QLatin1String("background") || name == QLatin1String("action");
}

bool isPage(const QString &path)
{
    static const QRegularExpression pageSuffix(QStringLiteral("\\.(s?html?|xhtml)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    return pageSuffix.match(path).hasMatch();
}

// A reference split into the local path it names (empty: the page itself) and its anchor.
struct LocalReference
{
    QString path;
    QString anchor;
    bool hasAnchor = false;
};

// The local target of a reference as written; nothing for remote addresses, mail, scripts,
// paths from the site's root (the site's root is not known here) and drive letters.
std::optional<LocalReference> localReference(QString value)
{
    value = value.trimmed();
    value.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    if (value.isEmpty())
        return std::nullopt;
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    LocalReference reference;
    if (const QRegularExpressionMatch m = scheme.match(value); m.hasMatch()) {
        if (m.captured(1).compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
            return std::nullopt;
        const QUrl url(value);
        reference.path = url.toLocalFile();
        if (reference.path.isEmpty())
            return std::nullopt;
        reference.hasAnchor = url.hasFragment();
        reference.anchor = url.fragment(QUrl::FullyDecoded);
        return reference;
    }
    if (value.startsWith(QLatin1Char('/')) || value.startsWith(QLatin1Char('\\')))
        return std::nullopt;
    const qsizetype hash = value.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        reference.hasAnchor = true;
        reference.anchor = QUrl::fromPercentEncoding(value.mid(hash + 1).toUtf8());
        value.truncate(hash);
    }
    const qsizetype query = value.indexOf(QLatin1Char('?'));
    if (query >= 0)
        value.truncate(query);
    value.replace(QLatin1Char('\\'), QLatin1Char('/'));
    reference.path = QUrl::fromPercentEncoding(value.toUtf8());
    return reference;
}

QString displayed(const QString &path, const QString &pageFolder)
{
    return QDir(pageFolder).relativeFilePath(path);
}

} // namespace

const SiteFiles::Listing &SiteFiles::listingOf(const QString &folder)
{
    auto found = m_listings.find(folder);
    if (found != m_listings.end())
        return *found;
    Listing listing;
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                     | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        listing.names.insert(name);
        listing.byFoldedName.insert(name.toCaseFolded(), name);
    }
    return *m_listings.insert(folder, listing);
}

SiteFiles::Lookup SiteFiles::find(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = QStringLiteral("/");
    bool caseDiffers = false;
    for (const QString &part : parts) {
        const Listing &listing = listingOf(current);
        const QString next = current.endsWith(QLatin1Char('/')) ? current + part
                                                                : current + QLatin1Char('/') + part;
        if (listing.names.contains(part)) {
            current = next;
            continue;
        }
        const auto folded = listing.byFoldedName.constFind(part.toCaseFolded());
        if (folded != listing.byFoldedName.constEnd()) {
            caseDiffers = true;
            current = current.endsWith(QLatin1Char('/')) ? current + *folded
                                                         : current + QLatin1Char('/') + *folded;
            continue;
        }
        // A folder that cannot be listed may still hold the file.
        if (listing.names.isEmpty() && QFileInfo::exists(next)) {
            current = next;
            continue;
        }
        return {Presence::Missing, {}};
    }
    if (caseDiffers)
        return {Presence::CaseDiffers, current};
    return {Presence::Present, {}};
}

QSet<QString> anchorNames(QStringView text)
{
    QSet<QString> names;
    scanAttributes(text, [&names](const ScannedAttribute &attribute) {
        if (attribute.name == QLatin1String("name") || attribute.name == QLatin1String("id"))
            names.insert(attribute.value.trimmed());
    });
    return names;
}

const QSet<QString> &SiteFiles::anchorsOf(const QString &path)
{
    auto found = m_anchors.find(path);
    if (found != m_anchors.end())
        return *found;
    const ReadResult read = readDocumentFile(path);
    return *m_anchors.insert(path, read.error.ok() ? anchorNames(read.text) : QSet<QString>());
}

QList<PageFinding> linkFindings(const QString &text, const QString &pagePath, SiteFiles &files)
{
    const QString pageFolder = QFileInfo(pagePath).absolutePath();
    QList<PageFinding> findings;
    const TextPlaces places(text);
    std::optional<QSet<QString>> ownAnchors;
    bool hasBase = false;
    scanAttributes(text, [&](const ScannedAttribute &attribute) {
        if (attribute.tag == QLatin1String("base") && attribute.name == QLatin1String("href"))
            hasBase = true;
        if (!isReferenceAttribute(attribute.name) || attribute.tag == QLatin1String("base"))
            return;
        const std::optional<LocalReference> reference = localReference(attribute.value);
        if (!reference)
            return;
        const auto [line, column] = places.place(attribute.valueStart);
        const QString written = attribute.value.trimmed();
        if (reference->path.isEmpty()) {
            if (!reference->hasAnchor || reference->anchor.isEmpty())
                return;
            if (!ownAnchors)
                ownAnchors = anchorNames(text);
            if (!ownAnchors->contains(reference->anchor))
                findings.append(
                    {line, column, FindingSeverity::Warning, QStringLiteral("ANCHOR_MISSING"),
                     QObject::tr("このページに名前 #%1 がありません").arg(reference->anchor)});
            return;
        }
        // Relative links of a page with a <BASE HREF> resolve against that base, not here.
        if (hasBase && !QDir::isAbsolutePath(reference->path))
            return;
        const QString target = QDir::cleanPath(QDir(pageFolder).absoluteFilePath(reference->path));
        const SiteFiles::Lookup lookup = files.find(target);
        if (lookup.presence == SiteFiles::Presence::Missing) {
            findings.append({line, column, FindingSeverity::Error, QStringLiteral("LINK_MISSING"),
                             QObject::tr("リンク先のファイルがありません: %1").arg(written)});
            return;
        }
        if (lookup.presence == SiteFiles::Presence::CaseDiffers)
            findings.append(
                {line, column, FindingSeverity::Error, QStringLiteral("LINK_CASE"),
                 QObject::tr(
                     "ファイル名の大文字と小文字がディスク上と違います: %1（ディスク上は %2）")
                     .arg(written, displayed(lookup.onDisk, pageFolder))});
        const QString page
            = lookup.presence == SiteFiles::Presence::CaseDiffers ? lookup.onDisk : target;
        if (reference->hasAnchor && !reference->anchor.isEmpty() && isPage(page)
            && QFileInfo(page).isFile() && !files.anchorsOf(page).contains(reference->anchor))
            findings.append({line, column, FindingSeverity::Warning,
                             QStringLiteral("ANCHOR_MISSING"),
                             QObject::tr("リンク先に名前 #%1 がありません: %2")
                                 .arg(reference->anchor, written)});
    });
    return findings;
}
