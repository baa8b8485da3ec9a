#include "document/markupscan.h"

#include <QSet>

namespace {

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u':' || c == u'_';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == QChar(0x3000);
}

QString upperAscii(QStringView name)
{
    QString upper = name.toString();
    for (QChar &c : upper)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return upper;
}

// The end of a start tag whose name ends at `from`: after its ">", skipping quoted values.
// Sets `closed` when the text ends first, `selfClosed` for "/>".
qsizetype startTagEnd(QStringView text, qsizetype from, bool &closed, bool &selfClosed)
{
    const qsizetype size = text.size();
    qsizetype i = from;
    bool afterEquals = false;
    while (i < size) {
        const QChar c = text[i];
        if (c == u'>') {
            closed = true;
            selfClosed = i > from && text[i - 1] == u'/';
            return i + 1;
        }
        if (afterEquals && (c == u'"' || c == u'\'')) {
            const qsizetype close = text.indexOf(c, i + 1);
            if (close < 0)
                break;
            i = close + 1;
            afterEquals = false;
            continue;
        }
        if (c == u'=')
            afterEquals = true;
        else if (!isBlank(c))
            afterEquals = false;
        ++i;
    }
    closed = false;
    return size;
}

} // namespace

ScanEnd scanMarkup(QStringView text, const std::function<bool(const ScannedTag &)> &visit)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (true) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0)
            return ScanEnd::Text;
        if (lt + 1 >= size) { // the text ends with a "<" just typed
            visit(ScannedTag{lt, size, {}, false, false, true});
            return ScanEnd::Tag;
        }
        const QChar next = text[lt + 1];
        if (next == u'!') {
            if (text.mid(lt, 4) == u"<!--") {
                const qsizetype close = text.indexOf(u"-->", lt + 4);
                if (close < 0)
                    return ScanEnd::Comment;
                i = close + 3;
                continue;
            }
            const qsizetype close = text.indexOf(u'>', lt);
            if (close < 0)
                return ScanEnd::Text;
            i = close + 1;
            continue;
        }
        const bool isEnd = next == u'/';
        const qsizetype nameStart = lt + (isEnd ? 2 : 1);
        if (nameStart < size && !isNameStart(text[nameStart])) {
            i = lt + 1; // a "<" of the text itself
            continue;
        }
        qsizetype nameEnd = nameStart;
        while (nameEnd < size && isNameChar(text[nameEnd]))
            ++nameEnd;
        ScannedTag tag;
        tag.start = lt;
        tag.isEnd = isEnd;
        tag.name = upperAscii(text.mid(nameStart, nameEnd - nameStart));
        bool closed = false;
        if (isEnd) {
            const qsizetype close = text.indexOf(u'>', nameEnd);
            closed = close >= 0;
            tag.end = closed ? close + 1 : size;
        } else {
            tag.end = startTagEnd(text, nameEnd, closed, tag.selfClosed);
        }
        tag.open = !closed;
        if (!visit(tag) || !closed)
            return closed ? ScanEnd::Text : ScanEnd::Tag;
        i = tag.end;
        if (!isEnd && (tag.name == u"SCRIPT" || tag.name == u"STYLE")) {
            // The element's content is not markup: it runs to the first end tag of its name.
            const QString endTag = QStringLiteral("</") + tag.name;
            const qsizetype close = text.indexOf(endTag, i, Qt::CaseInsensitive);
            if (close < 0)
                return ScanEnd::RawText;
            i = close;
        }
    }
}

bool isEmptyElement(const QString &upperName)
{
    static const QSet<QString> empty{
        QStringLiteral("AREA"),   QStringLiteral("BASE"),    QStringLiteral("BASEFONT"),
        QStringLiteral("BR"),     QStringLiteral("COL"),     QStringLiteral("EMBED"),
        QStringLiteral("FRAME"),  QStringLiteral("HR"),      QStringLiteral("IMG"),
        QStringLiteral("INPUT"),  QStringLiteral("ISINDEX"), QStringLiteral("KEYGEN"),
        QStringLiteral("LINK"),   QStringLiteral("META"),    QStringLiteral("PARAM"),
        QStringLiteral("SOURCE"), QStringLiteral("SPACER"),  QStringLiteral("TRACK"),
        QStringLiteral("WBR")};
    return empty.contains(upperName);
}
