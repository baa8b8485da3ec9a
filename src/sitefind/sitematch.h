#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// What to look for across the pages of a site, and what to put in its place.
struct SiteSearch
{
    QString find;
    QString replacement;
    bool matchCase = false;
    bool wholeWord = false;
    // A regular expression; the replacement may then use \0 … \9 for the captured text and
    // \\ for a backslash.
    bool regularExpression = false;
};

// One match in a text. Lines are counted from 1 at every CR LF, lone CR and lone LF; the
// column counts characters from 1.
struct TextMatch
{
    qsizetype start = 0;
    qsizetype length = 0;
    int line = 0;
    int column = 0;
    QString lineText;    // the line the match starts on, without its end
    QString replacement; // what replacing puts in its place
};

// The search as one expression. A line break in a plain find text matches any line break
// of a file (CR LF, LF or CR). An invalid expression is returned as it is: check isValid().
QRegularExpression searchExpression(const SiteSearch &search);

// Every match of `expression` in `text`, in order, none overlapping.
QList<TextMatch> findMatches(const QString &text, const QRegularExpression &expression,
                             const SiteSearch &search);

// `text` with every match replaced by its replacement.
QString replaceMatches(const QString &text, const QList<TextMatch> &matches);
