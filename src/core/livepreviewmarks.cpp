#include "core/livepreviewmarks.h"

#include <QStringView>

namespace {

constexpr qsizetype none = -1;

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\r' || u == '\f';
}

// Reads the markup the way the HTML tokenizer does, as far as deciding which "<" starts a
// real start tag. Where a case is in doubt, it reads text: a tag left unmarked costs nothing.
class MarkScanner
{
public:
    MarkScanner(const QString &text, QList<qsizetype> *positions)
        : m_text(text), m_size(text.size()), m_positions(positions)
    {
        m_out.reserve(m_size + m_size / 8);
    }

    QString run()
    {
        qsizetype pos = 0;
        while (pos < m_size) {
            const qsizetype open = m_text.indexOf(u'<', pos);
            if (open < 0)
                break;
            pos = afterMarkup(open);
        }
        m_out.append(QStringView(m_text).sliced(m_copied));
        return m_out;
    }

private:
    QChar at(qsizetype i) const { return i < m_size ? m_text.at(i) : QChar(); }

    bool startsWithAt(qsizetype i, QLatin1StringView what) const
    {
        return QStringView(m_text)
            .sliced(std::min(i, m_size))
            .startsWith(what, Qt::CaseInsensitive);
    }

    // Past the ">" at or after `from`; the end of the text without one.
    qsizetype pastNext(QChar c, qsizetype from) const
    {
        const qsizetype found = m_text.indexOf(c, from);
        return found < 0 ? m_size : found + 1;
    }

    // The markup that starts with the "<" at `open`; returns where reading goes on.
    qsizetype afterMarkup(qsizetype open)
    {
        const QChar next = at(open + 1);
        if (next == u'!') {
            if (startsWithAt(open, QLatin1StringView("<!--")))
                return pastComment(open + 4);
            if (startsWithAt(open, QLatin1StringView("<![CDATA["))) {
                // In SVG and MathML its text runs to "]]>": reading that far marks less.
                const qsizetype end = m_text.indexOf(QLatin1StringView("]]>"), open + 9);
                return end < 0 ? m_size : end + 3;
            }
            return pastNext(u'>', open + 2); // a document type or a bogus comment
        }
        if (next == u'?')
            return pastNext(u'>', open + 2);
        if (next == u'/') {
            if (isAsciiLetter(at(open + 2))) {
                const qsizetype end = pastTag(nameEnd(open + 2));
                return end == none ? m_size : end;
            }
            if (at(open + 2) == u'>')
                return open + 3;
            return pastNext(u'>', open + 2);
        }
        if (!isAsciiLetter(next))
            return open + 1; // a "<" in the text
        const qsizetype nameStop = nameEnd(open + 1);
        const qsizetype end = pastTag(nameStop);
        if (end == none)
            return m_size; // never closed: the browser drops it, and all after it is inside
        mark(nameStop, open);
        const QString name = m_text.sliced(open + 1, nameStop - open - 1).toLower();
        if (name == QLatin1StringView("plaintext"))
            return m_size;
        if (name == QLatin1StringView("script"))
            return scriptEnd(end);
        static const QLatin1StringView rawText[] = {
            QLatin1StringView("style"),    QLatin1StringView("textarea"),
            QLatin1StringView("title"),    QLatin1StringView("xmp"),
            QLatin1StringView("iframe"),   QLatin1StringView("noembed"),
            QLatin1StringView("noframes"), QLatin1StringView("noscript"),
        };
        for (QLatin1StringView raw : rawText)
            if (name == raw)
                return rawTextEnd(end, raw);
        return end;
    }

    qsizetype nameEnd(qsizetype from) const
    {
        qsizetype i = from;
        while (i < m_size && !isBlank(m_text.at(i)) && m_text.at(i) != u'/' && m_text.at(i) != u'>')
            ++i;
        return i;
    }

    void mark(qsizetype insertAt, qsizetype tagStart)
    {
        m_out.append(QStringView(m_text).sliced(m_copied, insertAt - m_copied));
        m_out.append(u' ');
        m_out.append(QLatin1StringView(sourcePositionAttribute));
        m_out.append(QLatin1StringView("=\""));
        m_out.append(QString::number(tagStart));
        m_out.append(u'"');
        m_copied = insertAt;
        if (m_positions)
            m_positions->append(tagStart);
    }

    // Past the ">" that closes a tag whose name ends at `from`, reading its attributes (a ">"
    // inside a quoted value does not close it); `none` when nothing closes it.
    qsizetype pastTag(qsizetype from) const
    {
        enum { BeforeName, Name, AfterName, BeforeValue, Unquoted, AfterQuoted } state = BeforeName;
        for (qsizetype i = from; i < m_size; ++i) {
            const QChar c = m_text.at(i);
            switch (state) {
            case BeforeName:
                if (c == u'>')
                    return i + 1;
                if (!isBlank(c) && c != u'/')
                    state = Name;
                break;
            case Name:
                if (c == u'>')
                    return i + 1;
                if (isBlank(c) || c == u'/')
                    state = c == u'/' ? BeforeName : AfterName;
                else if (c == u'=')
                    state = BeforeValue;
                break;
            case AfterName:
                if (c == u'>')
                    return i + 1;
                if (c == u'=')
                    state = BeforeValue;
                else if (c == u'/')
                    state = BeforeName;
                else if (!isBlank(c))
                    state = Name;
                break;
            case BeforeValue:
                if (c == u'>')
                    return i + 1;
                if (c == u'"' || c == u'\'') {
                    const qsizetype close = m_text.indexOf(c, i + 1);
                    if (close < 0)
                        return none;
                    i = close;
                    state = AfterQuoted;
                } else if (!isBlank(c)) {
                    state = Unquoted;
                }
                break;
            case Unquoted:
                if (c == u'>')
                    return i + 1;
                if (isBlank(c))
                    state = BeforeName;
                break;
            case AfterQuoted:
                if (c == u'>')
                    return i + 1;
                state = BeforeName;
                if (!isBlank(c) && c != u'/')
                    state = Name;
                break;
            }
        }
        return none;
    }

    // Past the end of a comment whose "<!--" ends before `from`: "-->", "--!>", or at once
    // for "<!-->" and "<!--->".
    qsizetype pastComment(qsizetype from) const
    {
        if (at(from) == u'>')
            return from + 1;
        if (at(from) == u'-' && at(from + 1) == u'>')
            return from + 2;
        for (qsizetype i = from;;) {
            const qsizetype dashes = m_text.indexOf(QLatin1StringView("--"), i);
            if (dashes < 0)
                return m_size;
            if (at(dashes + 2) == u'>')
                return dashes + 3;
            if (at(dashes + 2) == u'!' && at(dashes + 3) == u'>')
                return dashes + 4;
            i = dashes + 1;
        }
    }

    // Whether an end tag "</name" followed by a blank, "/" or ">" starts at `i`.
    bool endTagAt(qsizetype i, QLatin1StringView name) const
    {
        return at(i) == u'<' && at(i + 1) == u'/' && startsWithAt(i + 2, name)
               && (isBlank(at(i + 2 + name.size())) || at(i + 2 + name.size()) == u'/'
                   || at(i + 2 + name.size()) == u'>');
    }

    // Where the end tag of a raw-text element begins (its text holds no tags); the end of
    // the text without one.
    qsizetype rawTextEnd(qsizetype from, QLatin1StringView name) const
    {
        for (qsizetype i = from;;) {
            const qsizetype close = m_text.indexOf(QLatin1StringView("</"), i);
            if (close < 0)
                return m_size;
            if (endTagAt(close, name))
                return close;
            i = close + 2;
        }
    }

    // Where a script's end tag begins. Inside "<!--" a "<script" opens a stretch where even
    // "</script>" does not end the script, until the next "-->" or "</script>".
    qsizetype scriptEnd(qsizetype from) const
    {
        static const QLatin1StringView script("script");
        enum { Data, Escaped, DoubleEscaped } state = Data;
        qsizetype dashesFrom = 0; // the "--" before a ">" count from here
        for (qsizetype i = from; i < m_size; ++i) {
            const QChar c = m_text.at(i);
            if (state == Data) {
                if (c != u'<')
                    continue;
                if (endTagAt(i, script))
                    return i;
                if (startsWithAt(i, QLatin1StringView("<!--"))) {
                    state = Escaped;
                    dashesFrom = i + 2;
                    i += 3;
                }
                continue;
            }
            if (c == u'>' && i - 2 >= dashesFrom && m_text.at(i - 1) == u'-'
                && m_text.at(i - 2) == u'-') {
                state = Data;
                continue;
            }
            if (c != u'<')
                continue;
            if (state == Escaped) {
                if (endTagAt(i, script))
                    return i;
                const QChar after = at(i + 1 + script.size());
                if (startsWithAt(i + 1, script)
                    && (isBlank(after) || after == u'/' || after == u'>')) {
                    state = DoubleEscaped;
                    dashesFrom = i + 1 + script.size();
                }
            } else if (endTagAt(i, script)) {
                state = Escaped;
                dashesFrom = i + 2 + script.size();
            }
        }
        return m_size;
    }

    const QString &m_text;
    const qsizetype m_size;
    QList<qsizetype> *m_positions;
    QString m_out;
    qsizetype m_copied = 0;
};

} // namespace

QString markSourcePositions(const QString &text, QList<qsizetype> *positions)
{
    return MarkScanner(text, positions).run();
}
