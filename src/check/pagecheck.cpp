#include "check/pagecheck.h"

#include "check/tidycheck.h"
#include "core/documentfile.h"

#include <QDirIterator>

QList<PageFinding> checkPage(const QString &text, const QString &pagePath,
                             const PageCheckOptions &options, SiteFiles &files)
{
    QList<PageFinding> findings = tidyFindings(text, options);
    if (!pagePath.isEmpty()) {
        for (PageFinding &finding : linkFindings(text, pagePath, files))
            if (!options.hiddenIds.contains(finding.id))
                findings.append(std::move(finding));
    }
    sortFindings(findings);
    return findings;
}

QStringList pagesUnder(const QString &folder)
{
    QStringList pages;
    QDirIterator it(folder,
                    {QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.shtml"),
                     QStringLiteral("*.xhtml")},
                    QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    // Name patterns match without letter case; links to other folders are not followed.
    while (it.hasNext())
        pages << it.next();
    pages.sort();
    return pages;
}

QList<FileFindings> checkFolder(const QString &folder, const PageCheckOptions &options,
                                const FolderProgress &progress)
{
    const QStringList pages = pagesUnder(folder);
    const int total = int(pages.size());
    SiteFiles files;
    QList<FileFindings> results;
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total))
            return results;
        const ReadResult read = readDocumentFile(pages[i]);
        FileFindings page{pages[i], {}, {}};
        if (!read.error.ok())
            page.problem = read.error.description;
        else
            page.findings = checkPage(read.text, pages[i], options, files);
        if (!page.findings.isEmpty() || !page.problem.isEmpty())
            results.append(std::move(page));
    }
    if (progress)
        progress(total, total);
    return results;
}
