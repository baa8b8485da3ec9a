#include "document/textsearch.h"

#include <algorithm>

int findText(const QString &text, const QString &what, int from, Qt::CaseSensitivity cs)
{
    if (what.isEmpty() || from >= text.size())
        return -1;
    return int(text.indexOf(what, std::max(from, 0), cs));
}

QList<int> findAllText(const QString &text, const QString &what, int from, Qt::CaseSensitivity cs)
{
    QList<int> matches;
    for (int at = findText(text, what, from, cs); at >= 0;
         at = findText(text, what, at + int(what.size()), cs))
        matches.append(at);
    return matches;
}
