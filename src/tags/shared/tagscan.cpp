#include "tags/shared/tagscan.h"

#include "tags/shared/tagoption.h"

#include <array>

namespace {

// The longest selection beginning that decides the stop text ("<frameset").
constexpr int longestHead = 9;

bool endsWithAt(const QString &text, qsizetype end, const QString &tail)
{
    if (end < tail.size())
        return false;
    for (qsizetype i = 0; i < tail.size(); ++i) {
        if (text[end - tail.size() + i].toLower() != tail[i])
            return false;
    }
    return true;
}

// The text that ends the forward scan when the lower-cased selection ends with it, chosen by
// the lower-cased beginning of the selection `head`: ">" for every tag, unless the beginning
// names one of the element kinds whose first end tag is the stop.
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

    // Forward from "<" and the character after it. The stop text depends on the beginning,
    // which is settled once the selection is as long as the longest beginning; none of the
    // beginnings contains ">", so deciding late cannot miss an earlier stop.
    QString stop = QStringLiteral(">");
    for (qsizetype end = start + 2; end <= text.size(); ++end) {
        ++scan.steps;
        if (end - start <= longestHead)
            stop = scanStopText(lowerSameLength(text.mid(start, end - start)));
        // A selection that ends between CR and LF (which the control refuses) ends with CR and
        // so never with a stop text: every end position can be checked alike.
        if (endsWithAt(text, end, stop)) {
            scan.found = true;
            scan.start = int(start);
            scan.length = int(end - start);
            return scan;
        }
    }
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
