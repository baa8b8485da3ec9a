#include "document/linetools.h"

#include <QStringView>

namespace {

const QStringView LineBreak = u"\r\n";

// Calls `visit(line, ended)` for each line, `ended` telling whether a CR LF followed it. The
// text after the last CR LF is a line only when it is not empty.
template <typename Visit> void forEachLine(QStringView text, Visit visit)
{
    qsizetype from = 0;
    for (qsizetype at; (at = text.indexOf(LineBreak, from)) >= 0; from = at + LineBreak.size())
        visit(text.sliced(from, at - from), true);
    if (from < text.size())
        visit(text.sliced(from), false);
}

// Each line between `before` and `after`, followed by its line break if it had one.
QString decorateLines(const QString &text, QStringView before, QStringView after)
{
    QString out;
    out.reserve(text.size() + (text.count(LineBreak) + 1) * (before.size() + after.size()));
    forEachLine(text, [&](QStringView line, bool ended) {
        out += before;
        out += line;
        out += after;
        if (ended)
            out += LineBreak;
    });
    return out;
}

} // namespace

QString removeLineBreaks(const QString &text)
{
    return QString(text).remove(QStringLiteral("\r\n"));
}

QString wrapLinesInParagraphs(const QString &text)
{
    return decorateLines(text, u"<P>", u"</P>");
}

QString appendLineBreakTags(const QString &text)
{
    return decorateLines(text, {}, u"<BR>");
}
