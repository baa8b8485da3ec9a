#include "check/pagescan.h"

#include <algorithm>

namespace {

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')
           || c == QLatin1Char(':') || c == QLatin1Char('.');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
           || c == QLatin1Char('\n') || c == QLatin1Char('\f') || c == QChar(0x3000);
}

// Reads the attributes of the start tag whose name begins at `at`; returns where the scan
// goes on.
qsizetype scanTag(QStringView text, qsizetype at,
                  const std::function<void(const ScannedAttribute &)> &each)
{
    const qsizetype size = text.size();
    const qsizetype nameStart = at;
    while (at < size && isNameCharacter(text[at]))
        ++at;
    const QString tag = text.mid(nameStart, at - nameStart).toString().toLower();
    while (at < size) {
        while (at < size && (isBlank(text[at]) || text[at] == QLatin1Char('/')))
            ++at;
        if (at >= size || text[at] == QLatin1Char('>') || text[at] == QLatin1Char('<'))
            break;
        const qsizetype attributeStart = at;
        while (at < size && !isBlank(text[at]) && text[at] != QLatin1Char('=')
               && text[at] != QLatin1Char('>') && text[at] != QLatin1Char('<'))
            ++at;
        ScannedAttribute attribute{
            tag, text.mid(attributeStart, at - attributeStart).toString().toLower(), {}, at};
        qsizetype look = at;
        while (look < size && isBlank(text[look]))
            ++look;
        if (look < size && text[look] == QLatin1Char('=')) {
            at = look + 1;
            while (at < size && isBlank(text[at]))
                ++at;
            if (at < size && (text[at] == QLatin1Char('"') || text[at] == QLatin1Char('\''))) {
                const QChar quote = text[at];
                const qsizetype end = text.indexOf(quote, at + 1);
                const qsizetype valueEnd = end < 0 ? size : end;
                attribute.valueStart = at + 1;
                attribute.value = text.mid(at + 1, valueEnd - at - 1).toString();
                at = end < 0 ? size : end + 1;
            } else {
                attribute.valueStart = at;
                while (at < size && !isBlank(text[at]) && text[at] != QLatin1Char('>'))
                    ++at;
                attribute.value
                    = text.mid(attribute.valueStart, at - attribute.valueStart).toString();
            }
        }
        if (!attribute.name.isEmpty())
            each(attribute);
    }
    return at;
}

} // namespace

void scanAttributes(QStringView text, const std::function<void(const ScannedAttribute &)> &each)
{
    const qsizetype size = text.size();
    qsizetype at = 0;
    while (true) {
        at = text.indexOf(QLatin1Char('<'), at);
        if (at < 0 || at + 1 >= size)
            return;
        if (text.mid(at, 4) == QLatin1String("<!--")) {
            const qsizetype end = text.indexOf(QLatin1String("-->"), at + 4);
            if (end < 0)
                return;
            at = end + 3;
        } else if (text[at + 1].isLetter() && text[at + 1].unicode() < 0x80) {
            at = scanTag(text, at + 1, each);
        } else {
            ++at;
        }
    }
}

TextPlaces::TextPlaces(QStringView text) : m_text(text)
{
    m_lineStarts << 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            m_lineStarts << i + 1;
        } else if (text[i] == QLatin1Char('\n')) {
            m_lineStarts << i + 1;
        }
    }
}

std::pair<int, int> TextPlaces::place(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_text.size());
    const auto next = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), offset);
    const qsizetype line = next - m_lineStarts.cbegin();
    const qsizetype start = m_lineStarts[line - 1];
    // Places asked in order along a long line go on from the one before.
    qsizetype from = start;
    int column = 1;
    if (m_lastLine == line && m_lastOffset <= offset) {
        from = m_lastOffset;
        column = m_lastColumn;
    }
    for (qsizetype i = from; i < offset; ++i)
        if (!m_text[i].isLowSurrogate() || i == start || !m_text[i - 1].isHighSurrogate())
            ++column;
    m_lastLine = line;
    m_lastOffset = offset;
    m_lastColumn = column;
    return {int(line), column};
}
