#pragma once

#include <QList>
#include <QString>

// Searching a document's text. Positions are indices into the text as it reads, a line break
// counting as its two characters CR LF; any length of text works.

// The position of the first match of `what` starting at or after `from`, or -1. An empty
// `what` matches nothing.
int findText(const QString &text, const QString &what, int from, Qt::CaseSensitivity cs);

// The positions of all matches of `what` starting at or after `from`, left to right, none
// overlapping the one before (in "aaaa" the matches of "aa" start at 0 and 2).
QList<int> findAllText(const QString &text, const QString &what, int from, Qt::CaseSensitivity cs);
