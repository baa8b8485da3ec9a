#pragma once

#include "check/pagefinding.h"

#include <QHash>
#include <QSet>
#include <QString>

// The files of a site as a link check sees them: whether a path exists as spelled, or only in
// other letter case, and the anchor names of pages. Folder listings and pages are read once.
class SiteFiles
{
public:
    enum class Presence { Present, Missing, CaseDiffers };
    struct Lookup
    {
        Presence presence = Presence::Missing;
        QString onDisk; // with CaseDiffers: the path as the disk spells it
    };

    // Looks up the absolute path `path`, each part of it against its folder's listing.
    Lookup find(const QString &path);
    // The NAME and id values of the page at `path`, read in the encoding its bytes show.
    const QSet<QString> &anchorsOf(const QString &path);

private:
    struct Listing
    {
        QSet<QString> names;
        QHash<QString, QString> byFoldedName; // small letters → the name as on disk
    };
    const Listing &listingOf(const QString &folder);

    QHash<QString, Listing> m_listings;
    QHash<QString, QSet<QString>> m_anchors;
};

// The NAME and id values of a page's text.
QSet<QString> anchorNames(QStringView text);

// The local links and pictures of the page `pagePath` whose text is `text`: every HREF, SRC,
// BACKGROUND and ACTION that is relative or a file: address, resolved against the page's
// folder. Reported: a missing target (LINK_MISSING), a target found only in other letter case
// (LINK_CASE), and an anchor #name not among the NAME/id values of its page (ANCHOR_MISSING).
// Remote addresses are never fetched.
QList<PageFinding> linkFindings(const QString &text, const QString &pagePath, SiteFiles &files);
