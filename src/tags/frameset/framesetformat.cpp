#include "tags/frameset/framesetformat.h"

#include "tags/shared/tagformat.h"
#include "tags/shared/tagoption.h"

#include <QList>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString EndTag = QStringLiteral("</FRAMESET>");

// The tags of `text` in order, each from its "<" to its ">", at most `limit` of them.
QStringList tagsOf(const QString &text, int limit, QList<qsizetype> *ends)
{
    QStringList tags;
    qsizetype from = 0;
    while (tags.size() < limit) {
        const qsizetype open = text.indexOf(QLatin1Char('<'), from);
        if (open < 0)
            break;
        const qsizetype close = startTagEndAt(text, open);
        if (close >= text.size())
            break;
        tags << text.mid(open, close + 1 - open);
        from = close + 1;
        ends->append(from);
    }
    return tags;
}

bool isFrameTag(const QString &tag)
{
    return startsWithAsciiCaseless(tag, u"<frame") && tag.size() > 6
           && (tag[6].isSpace() || tag[6] == QLatin1Char('>') || tag[6] == QLatin1Char('/'));
}

// The text after `old`'s second frame: kept as it was unless it is only blanks and line
// breaks, which become the usual line break before the end tag.
QString restBeforeEndTag(const FrameSetParts &old)
{
    return old.rest.trimmed().isEmpty() ? CrLf : old.rest;
}

} // namespace

int maxFrameRatio(bool percent)
{
    return percent ? 100 : MaxFramePixels;
}

std::optional<int> parseFrameRatio(const QString &text, bool percent)
{
    return parseWholeNumber(text, maxFrameRatio(percent));
}

QString frameSetStartTag(const FrameSetFields &fields)
{
    const QString name = fields.split == int(FrameSplit::Stacked) ? QStringLiteral("rows")
                                                                  : QStringLiteral("cols");
    const std::optional<int> ratio = parseFrameRatio(fields.ratio, fields.percent);
    const QString first = ratio ? QString::number(*ratio) : fields.ratio;
    QString value;
    if (fields.percent && ratio)
        value = first + QStringLiteral("%,") + QString::number(100 - *ratio) + QLatin1Char('%');
    else if (fields.percent)
        value = first + QStringLiteral("%,*");
    else
        value = first + QStringLiteral(",*");
    return QStringLiteral("<FRAMESET ") + name + QLatin1Char('=') + quotedValue(value)
           + QLatin1Char('>');
}

QString frameTag(const QString &name, const QString &url)
{
    return QStringLiteral("<FRAME name=") + quotedValue(name) + QStringLiteral(" SRC=")
           + quotedValue(url) + QLatin1Char('>');
}

QString frameSetElement(const FrameSetFields &fields)
{
    return frameSetStartTag(fields) + CrLf + QLatin1Char('\t') + frameTag(fields.name1, fields.url1)
           + CrLf + QLatin1Char('\t') + frameTag(fields.name2, fields.url2) + CrLf + EndTag;
}

FrameSetParts splitFrameSet(const QString &element)
{
    FrameSetParts parts;
    QList<qsizetype> ends;
    const QStringList tags = tagsOf(element, 3, &ends);
    if (tags.size() < 3)
        return parts;
    parts.frameSet = tags[0];
    parts.frame1 = tags[1];
    parts.frame2 = tags[2];
    const bool closed = endsWithAsciiCaseless(element, u"</frameset>");
    parts.twoFrames = closed && isFrameTag(tags[1]) && isFrameTag(tags[2]);
    if (parts.twoFrames)
        parts.rest = element.mid(ends[2], element.size() - EndTag.size() - ends[2]);
    return parts;
}

FrameSetFields readFrameSet(const FrameSetParts &parts)
{
    FrameSetFields fields;
    QString value = GetTagOption(parts.frameSet, QStringLiteral("rows"));
    if (value != NoOpt) {
        fields.split = int(FrameSplit::Stacked);
    } else {
        value = GetTagOption(parts.frameSet, QStringLiteral("cols"));
    }
    if (value != NoOpt) {
        const bool endsInPercent = value.endsWith(QLatin1Char('%'));
        if (endsInPercent)
            value.chop(1);
        const qsizetype comma = value.indexOf(QLatin1Char(','));
        QString first = comma < 0 ? value : value.left(comma);
        const QString second = comma < 0 ? QString() : value.mid(comma + 1);
        // "20%,*" is a percentage too, though its last part is a star.
        fields.percent = endsInPercent || first.endsWith(QLatin1Char('%'));
        if (first.endsWith(QLatin1Char('%')))
            first.chop(1);
        const std::optional<int> other = parseFrameRatio(second, true);
        if (fields.percent && first.trimmed() == QLatin1String("*") && other)
            first = QString::number(100 - *other);
        fields.ratio = first;
    }
    const struct
    {
        const QString &tag;
        QString *name;
        QString *url;
    } frames[] = {{parts.frame1, &fields.name1, &fields.url1},
                  {parts.frame2, &fields.name2, &fields.url2}};
    for (const auto &frame : frames) {
        const QString name = GetTagOption(frame.tag, QStringLiteral("name"));
        if (name != NoOpt)
            *frame.name = name;
        const QString url = GetTagOption(frame.tag, QStringLiteral("src"));
        if (url != NoOpt)
            *frame.url = url;
    }
    return fields;
}

FrameSetFields readFrameSetElement(const QString &element)
{
    return readFrameSet(splitFrameSet(element));
}

namespace {

// A split as its two parts, a star beside a percentage written as the rest of 100%: "*,70%"
// reads as "30%" and "70%". Other values stay as they are.
QStringList splitParts(const QString &value)
{
    QStringList parts = value.split(QLatin1Char(','));
    for (QString &part : parts)
        part = part.trimmed();
    if (parts.size() != 2)
        return parts;
    for (int star = 0; star < 2; ++star) {
        const QString &other = parts[1 - star];
        const std::optional<int> percent = other.endsWith(QLatin1Char('%'))
                                               ? parseFrameRatio(other.chopped(1), true)
                                               : std::nullopt;
        if (parts[star] == QLatin1String("*") && percent)
            parts[star] = QString::number(100 - *percent) + QLatin1Char('%');
    }
    return parts;
}

// The dialog's rows or cols stand for the old ones when they split the same way.
bool sameFrameSetValue(QStringView name, const QString &oldValue, const QString &written)
{
    if (equalsAsciiCaseless(name, u"rows") || equalsAsciiCaseless(name, u"cols"))
        return splitParts(oldValue) == splitParts(written);
    return equalsAsciiCaseless(oldValue, written);
}

} // namespace

QString rebuiltFrameSet(const FrameSetFields &fields, const FrameSetParts &old)
{
    return rebuiltFrameSet(fields, old, readFrameSet(old));
}

QString rebuiltFrameSet(const FrameSetFields &fields, const FrameSetParts &old,
                        const FrameSetFields &untouched)
{
    const QStringList frameSetNames{QStringLiteral("rows"), QStringLiteral("cols")};
    const QStringList frameNames{QStringLiteral("name"), QStringLiteral("src")};
    return mergeReEditedTag(frameSetStartTag(fields), frameSetStartTag(untouched), old.frameSet,
                            frameSetNames, sameFrameSetValue)
           + CrLf + QLatin1Char('\t')
           + mergeReEditedTag(frameTag(fields.name1, fields.url1),
                              frameTag(untouched.name1, untouched.url1), old.frame1, frameNames)
           + CrLf + QLatin1Char('\t')
           + mergeReEditedTag(frameTag(fields.name2, fields.url2),
                              frameTag(untouched.name2, untouched.url2), old.frame2, frameNames)
           + restBeforeEndTag(old) + EndTag;
}
