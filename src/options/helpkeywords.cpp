#include "options/helpkeywords.h"

#include <algorithm>

QString foldKeyword(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    for (QChar &c : folded) {
        // ぁ (U+3041) to ゖ (U+3096) and the iteration marks ゝゞ lie 0x60 below their katakana.
        const char16_t u = c.unicode();
        if ((u >= 0x3041 && u <= 0x3096) || u == 0x309D || u == 0x309E)
            c = QChar(char16_t(u + 0x60));
    }
    return folded;
}

KeywordMatches matchKeywords(const QStringList &keywords, const QString &typed)
{
    KeywordMatches matches;
    if (typed.isEmpty()) {
        matches.keywords = keywords;
        return matches;
    }
    const QString wanted = foldKeyword(typed);
    int startsWith = -1;
    for (const QString &keyword : keywords) {
        const QString folded = foldKeyword(keyword);
        if (!folded.contains(wanted))
            continue;
        matches.keywords << keyword;
        const int at = int(matches.keywords.size()) - 1;
        if (matches.best < 0 && folded == wanted)
            matches.best = at;
        if (startsWith < 0 && folded.startsWith(wanted))
            startsWith = at;
    }
    if (matches.best < 0 && !matches.keywords.isEmpty())
        matches.best = std::max(0, startsWith);
    return matches;
}
