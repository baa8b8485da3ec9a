#include "sitefind/sitematch.h"

#include <QStringList>

namespace {

const QString anyLineBreak = QStringLiteral("(?:\\r\\n|\\n|\\r)");

QString plainPattern(const QString &find)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\r\\n|\\n|\\r"));
    QStringList pieces;
    for (const QString &piece : find.split(lineBreaks))
        pieces.append(QRegularExpression::escape(piece));
    return pieces.join(anyLineBreak);
}

// `replacement` with \0 … \9 put in as the text they captured in `text` and \\ as one
// backslash.
QString expandReplacement(const QString &replacement, const QRegularExpressionMatch &match,
                          const QString &text)
{
    QString result;
    result.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c != u'\\' || i + 1 == replacement.size()) {
            result.append(c);
            continue;
        }
        const QChar next = replacement.at(i + 1);
        if (next.isDigit() && next.unicode() < 0x80) {
            const int group = next.digitValue();
            if (match.capturedStart(group) >= 0)
                result.append(QStringView(text).sliced(match.capturedStart(group),
                                                       match.capturedLength(group)));
            ++i;
        } else if (next == u'\\') {
            result.append(u'\\');
            ++i;
        } else {
            result.append(c);
        }
    }
    return result;
}

// The text as the expression engine reads it: a kept byte of a file (a lone surrogate) would
// make the whole text invalid UTF-16, which the engine refuses to search at all; it becomes
// U+FFFD, one unit for one, so every position stays where it is.
QString searchableText(const QString &text)
{
    QString searchable;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (searchable.isNull())
            searchable = text;
        searchable[i] = QChar::ReplacementCharacter;
    }
    return searchable.isNull() ? text : searchable;
}

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

QRegularExpression searchExpression(const SiteSearch &search)
{
    QString pattern = search.regularExpression ? QStringLiteral("(?:%1)").arg(search.find)
                                               : plainPattern(search.find);
    if (search.wholeWord)
        pattern = QStringLiteral("(?<!\\w)%1(?!\\w)").arg(pattern);
    // ^ and $ at every line of a file, whichever line breaks it has.
    pattern.prepend(QStringLiteral("(*ANYCRLF)"));
    QRegularExpression::PatternOptions options
        = QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
    if (!search.matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(pattern, options);
}

QList<TextMatch> findMatches(const QString &text, const QRegularExpression &expression,
                             const SiteSearch &search)
{
    QList<TextMatch> matches;
    if (search.find.isEmpty() || !expression.isValid())
        return matches;
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype counted = 0; // the text before this is counted in `line` and `lineStart`
    QRegularExpressionMatchIterator it = expression.globalMatch(searchableText(text));
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        TextMatch found;
        found.start = match.capturedStart();
        found.length = match.capturedLength();
        for (; counted < found.start; ++counted) {
            const QChar c = text.at(counted);
            if (c == u'\n'
                || (c == u'\r' && (counted + 1 == text.size() || text.at(counted + 1) != u'\n'))) {
                ++line;
                lineStart = counted + 1;
            }
        }
        found.line = line;
        found.column = int(found.start - lineStart) + 1;
        qsizetype lineEnd = found.start;
        while (lineEnd < text.size() && !isLineBreak(text.at(lineEnd)))
            ++lineEnd;
        found.lineText = text.mid(lineStart, lineEnd - lineStart);
        found.replacement = search.regularExpression
                                ? expandReplacement(search.replacement, match, text)
                                : search.replacement;
        matches.append(found);
    }
    return matches;
}

QString replaceMatches(const QString &text, const QList<TextMatch> &matches)
{
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (const TextMatch &match : matches) {
        result.append(QStringView(text).sliced(from, match.start - from));
        result.append(match.replacement);
        from = match.start + match.length;
    }
    result.append(QStringView(text).sliced(from));
    return result;
}
