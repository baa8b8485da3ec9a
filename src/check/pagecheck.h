#pragma once

#include "check/linkcheck.h"
#include "check/pagecheckoptions.h"
#include "check/pagefinding.h"

#include <QList>
#include <QString>

#include <functional>

// The whole check of one page: HTML Tidy's diagnostics and, when the page has a file, its
// local links and pictures; without the ids the options hide, in the order of the text.
// `pagePath` empty: a page never saved, whose links cannot be resolved.
QList<PageFinding> checkPage(const QString &text, const QString &pagePath,
                             const PageCheckOptions &options, SiteFiles &files);

// The pages under `folder` and its subfolders (.htm, .html, .shtml, .xhtml in any letter
// case), sorted by path.
QStringList pagesUnder(const QString &folder);

// Checks every page under `folder`, each read in the encoding its bytes show. `progress` is
// told how many pages are done of how many before each page and at the end; when it returns
// false the check stops there, with the results so far. Pages without findings are left out.
using FolderProgress = std::function<bool(int done, int total)>;
QList<FileFindings> checkFolder(const QString &folder, const PageCheckOptions &options,
                                const FolderProgress &progress = {});
