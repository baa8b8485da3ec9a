#include "tags/shared/tagscan.h"

#include "tags/shared/tagoption.h"

#include <array>

namespace {

// The longest selection beginning that decides the stop text ("<frameset").
constexpr int longestHead = 9;

// The text that ends the element whose lower-cased beginning is `head`: ">" (the end of the
// start tag) for every tag, unless the beginning names one of the element kinds whose first
// end tag is the stop.
QString scanStopText(const QString &head)
{
    struct Kind
    {
        const char *begins;
        const char *stop;
    };
    static constexpr std::array<Kind, 5> elements{{{"<a href=", "</a>"},
                                                   {"<textarea", "</textarea>"},
                                                   {"<frameset", "</frameset>"},
                                                   {"<applet", "</applet>"},
                                                   {"<dl", "</dl>"}}};
    if (head.startsWith(QLatin1String("<h")) && head.size() >= 3 && head[2] >= QLatin1Char('1')
        && head[2] <= QLatin1Char('6'))
        return QLatin1String("</h") + head[2] + QLatin1Char('>');
    for (const Kind &kind : elements) {
        if (head.startsWith(QLatin1String(kind.begins)))
            return QLatin1String(kind.stop);
    }
    return QStringLiteral(">");
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Where the first `stop` (an end tag, any ASCII case) after `from` ends, or -1. Tags and
// comments on the way are stepped over whole, so an end tag written inside a quoted value or a
// comment does not count; the content of a text area is plain text, searched as it is.
qsizetype elementEnd(const QString &text, qsizetype from, const QString &stop, bool plainContent,
                     qsizetype &steps)
{
    const QStringView view(text);
    qsizetype at = from;
    while (true) {
        const qsizetype open = text.indexOf(QLatin1Char('<'), at);
        if (open < 0) {
            steps += text.size() - at;
            return -1;
        }
        steps += open - at + 1;
        if (startsWithAsciiCaseless(view.mid(open), stop))
            return open + stop.size();
        at = open + 1;
        if (plainContent || open + 2 > text.size())
            continue;
        const QChar next = text[open + 1];
        if (view.mid(open).startsWith(u"<!--")) {
            const qsizetype close = text.indexOf(QLatin1String("-->"), open + 4);
            if (close < 0)
                return -1;
            steps += close + 3 - at;
            at = close + 3;
        } else if (isAsciiLetter(next)
                   || (next == u'/' && open + 2 < text.size() && isAsciiLetter(text[open + 2]))) {
            const qsizetype close = startTagEndAt(text, open);
            if (close >= text.size())
                return -1;
            steps += close + 1 - at;
            at = close + 1;
        }
    }
}

} // namespace

TagScan scanTagAtCaret(const QString &text, int selStart, int selLength)
{
    TagScan scan;
    scan.start = selStart;
    scan.length = selLength;
    if (selStart <= 0 || text.isEmpty())
        return scan;

    // Back to the nearest "<"; a ">" on the way does not stop it. An empty selection has no
    // first character, so it always takes one step left first.
    qsizetype start = qMin<qsizetype>(selStart, text.size());
    bool empty = selLength <= 0;
    while (empty || start >= text.size() || text[start] != QLatin1Char('<')) {
        ++scan.steps;
        if (start == 0)
            return scan;
        --start;
        empty = false;
    }

    // Forward: the start tag ends at its first ">" outside quoted values, as a browser reads
    // it; for the element kinds that stop at an end tag, the first such end tag after it.
    const QString stop = scanStopText(lowerSameLength(text.mid(start, longestHead)));
    const qsizetype tagEnd = startTagEndAt(text, start);
    scan.steps += tagEnd - start;
    if (tagEnd >= text.size())
        return scan;
    qsizetype end = tagEnd + 1;
    if (stop != QLatin1String(">")) {
        const bool plainContent = stop == QLatin1String("</textarea>");
        end = elementEnd(text, end, stop, plainContent, scan.steps);
        if (end < 0)
            return scan;
    }
    scan.found = true;
    scan.start = int(start);
    scan.length = int(end - start);
    return scan;
}
std::pair<int, int> scanStartOfDoubleClick(const QString &text, int selStart, int selLength,
                                           int clickedCharacter)
{
    if (clickedCharacter > 0 && clickedCharacter < text.size()
        && text[clickedCharacter] == QLatin1Char('<'))
        return {clickedCharacter, 1};
    return {selStart, selLength};
}
