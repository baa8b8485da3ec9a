#include "tags/shared/tagoption.h"

QString lowerSameLength(const QString &text)
{
    QString lower(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        lower[i] = text[i].toLower();
    return lower;
}

namespace {

// Attributes are separated by blanks; a tab or a line break counts as one too, so a tag
// written over several lines reads like one written on a single line.
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
        || c == QLatin1Char('\n') || c == QLatin1Char('\f');
}

class TagReader
{
public:
    explicit TagReader(const QString &tag) : m_tag(tag) {}

    QList<TagAttribute> attributes()
    {
        QList<TagAttribute> list;
        skipTagName();
        while (true) {
            skipSeparators();
            if (atEnd() || peek() == QLatin1Char('>'))
                break;
            list << attribute();
        }
        return list;
    }

private:
    bool atEnd() const { return m_at >= m_tag.size(); }
    QChar peek() const { return m_tag[m_at]; }

    void skipTagName()
    {
        if (!atEnd() && peek() == QLatin1Char('<'))
            ++m_at;
        while (!atEnd() && !isBlank(peek()) && peek() != QLatin1Char('>'))
            ++m_at;
    }

    void skipSeparators()
    {
        while (!atEnd() && (isBlank(peek()) || peek() == QLatin1Char('/')))
            ++m_at;
    }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek()))
            ++m_at;
    }

    TagAttribute attribute()
    {
        TagAttribute attribute;
        const qsizetype start = m_at;
        // A name may begin with "=", as browsers allow; it ends at the next separator.
        ++m_at;
        while (!atEnd() && !isBlank(peek()) && peek() != QLatin1Char('=')
               && peek() != QLatin1Char('>') && peek() != QLatin1Char('/'))
            ++m_at;
        attribute.name = m_tag.mid(start, m_at - start);
        qsizetype end = m_at;
        const qsizetype afterName = m_at;
        skipBlanks();
        if (!atEnd() && peek() == QLatin1Char('=')) {
            ++m_at;
            skipBlanks();
            attribute.hasValue = true;
            attribute.value = value();
            end = m_at;
        } else {
            m_at = afterName;
        }
        attribute.spelled = m_tag.mid(start, end - start);
        return attribute;
    }

    QString value()
    {
        if (atEnd())
            return {};
        const QChar quote = peek();
        if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
            const qsizetype open = ++m_at;
            const qsizetype close = m_tag.indexOf(quote, open);
            m_at = close < 0 ? m_tag.size() : close + 1;
            return m_tag.mid(open, (close < 0 ? m_tag.size() : close) - open);
        }
        const qsizetype start = m_at;
        while (!atEnd() && !isBlank(peek()) && peek() != QLatin1Char('>'))
            ++m_at;
        return m_tag.mid(start, m_at - start);
    }

    const QString &m_tag;
    qsizetype m_at = 0;
};


} // namespace

qsizetype startTagEnd(const QString &tag)
{
    QChar quote;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        const QChar c = tag[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if ((c == QLatin1Char('"') || c == QLatin1Char('\'')) && i > 0
                   && (tag[i - 1] == QLatin1Char('=') || isBlank(tag[i - 1]))) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i;
        }
    }
    return tag.size();
}

QList<TagAttribute> readTagAttributes(const QString &tag)
{
    return TagReader(tag).attributes();
}

QString GetTagOption(const QString &tag, const QString &name)
{
    for (const TagAttribute &attribute : readTagAttributes(tag)) {
        if (attribute.name.compare(name, Qt::CaseInsensitive) == 0)
            return attribute.value;
    }
    return NoOpt;
}

QString keepUnmanagedAttributes(const QString &newTag, const QString &oldTag,
                                const QStringList &managed)
{
    QString kept;
    for (const TagAttribute &attribute : readTagAttributes(oldTag)) {
        if (!managed.contains(attribute.name, Qt::CaseInsensitive))
            kept += QLatin1Char(' ') + attribute.spelled;
    }
    if (kept.isEmpty())
        return newTag;
    const qsizetype end = startTagEnd(newTag);
    // A self-closing "/>" keeps its slash at the end.
    const qsizetype at = end > 0 && end < newTag.size() && newTag[end - 1] == QLatin1Char('/') ? end - 1 : end;
    return newTag.left(at) + kept + newTag.mid(at);
}
