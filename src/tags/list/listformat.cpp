#include "tags/list/listformat.h"

#include "tags/shared/tagformat.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

constexpr TagWord MarkWords[]
    = {{"disc", "　●　（黒丸）"}, {"circle", "　○　（白丸）"}, {"square", "　■　（四角）"}};
constexpr TagWord NumberWords[] = {{"1", "1,2,3,……"},
                                   {"a", "a,b,c,……"},
                                   {"A", "A,B,C,……"},
                                   {"i", "i,ii,iii,……"},
                                   {"I", "I,II,III,……"}};

using MarkRow = TagAttributeRow<ListMarkFields>;
const MarkRow MarkRows[] = {
    {"type", MarkRow::Word, &ListMarkFields::mark, nullptr, MarkWords, WordCase::AnyCase, true},
};

using NumberRow = TagAttributeRow<ListNumberFields>;
// Number types compare exactly: "a" is not "A".
const NumberRow NumberTypeRows[] = {
    {"type", NumberRow::Word, &ListNumberFields::number, nullptr, NumberWords, WordCase::Exact,
     true},
};
const NumberRow StartRows[] = {{"start", NumberRow::Text, &ListNumberFields::startNo}};
const NumberRow ValueRows[] = {{"value", NumberRow::Text, &ListNumberFields::startNo}};

QStringList captionsOf(TagWords words)
{
    QStringList captions;
    for (const TagWord &word : words)
        captions << QString::fromUtf8(word.entry);
    return captions;
}

// The start tag of a list and of each of its items; the type goes on the list for the whole
// list and on every item otherwise.
struct ListTags
{
    QString list;
    QString item;
};

QString listText(const ListTags &tags, const QStringList &lines, const char *endTag)
{
    QString text = tags.list + CrLf;
    for (const QString &line : lines)
        text += tags.item + line + QStringLiteral("</LI>") + CrLf;
    return text + QLatin1String(endTag) + CrLf;
}

QString markType(const ListMarkFields &fields)
{
    return buildAttributes<ListMarkFields>(fields, MarkRows);
}

QString numberType(const ListNumberFields &fields)
{
    return buildAttributes<ListNumberFields>(fields, NumberTypeRows);
}

QString startAttribute(const ListNumberFields &fields)
{
    return buildAttributes<ListNumberFields>(fields, StartRows);
}

// `text` without one CR LF at its start and one at its end.
QString withoutOuterBreaks(QString text)
{
    if (text.startsWith(CrLf))
        text.remove(0, 2);
    if (text.endsWith(CrLf))
        text.chop(2);
    return text;
}

bool isBlankBetween(const QString &text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i) {
        if (!text[i].isSpace())
            return false;
    }
    return true;
}

} // namespace

QStringList selectionLines(const QString &selText)
{
    QStringList lines;
    qsizetype at = 0;
    while (at < selText.size()) {
        const qsizetype end = selText.indexOf(CrLf, at);
        if (end < 0) {
            lines << selText.mid(at);
            break;
        }
        lines << selText.mid(at, end - at);
        at = end + 2;
    }
    return lines;
}

QStringList markCaptions()
{
    return captionsOf(MarkWords);
}

QStringList numberCaptions()
{
    return captionsOf(NumberWords);
}

QString listChoiceCode(bool wholeList, const QString &caption, const QStringList &captions)
{
    return QString::number(captions.indexOf(caption) + (wholeList ? 10 : 0));
}

bool isStartNumberAccepted(const QString &text)
{
    if (text.isEmpty())
        return true;
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-')))
        ++at;
    for (; at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9'); ++at) {
        if (text[at] != QLatin1Char('0'))
            return true;
    }
    return false;
}

QString unmarkedList(const QStringList &lines)
{
    QString text = QStringLiteral("<UL>") + CrLf;
    for (const QString &line : lines)
        text += line + QStringLiteral("<BR>") + CrLf;
    return text + QStringLiteral("</UL>") + CrLf;
}

QString markedList(const ListMarkFields &fields, const QStringList &lines)
{
    const QString type = markType(fields);
    const bool whole = fields.wholeList;
    return listText({QStringLiteral("<UL") + (whole ? type : QString()) + QLatin1Char('>'),
                     QStringLiteral("<LI") + (whole ? QString() : type) + QLatin1Char('>')},
                    lines, "</UL>");
}

QString numberedList(const ListNumberFields &fields, const QStringList &lines)
{
    const QString type = numberType(fields);
    const bool whole = fields.wholeList;
    return listText({QStringLiteral("<OL") + (whole ? type : QString()) + startAttribute(fields)
                         + QLatin1Char('>'),
                     QStringLiteral("<LI") + (whole ? QString() : type) + QLatin1Char('>')},
                    lines, "</OL>");
}

QString definitionList(const DefinitionEntries &entries)
{
    QString text = QStringLiteral("<DL>") + CrLf;
    for (const DefinitionEntry &entry : entries) {
        text += QStringLiteral("<DT>") + entry.term + QStringLiteral("</DT>") + CrLf
                + QStringLiteral("<DD>") + CrLf + entry.description + CrLf + QStringLiteral("</DD>")
                + CrLf;
    }
    return text + QStringLiteral("</DL>") + CrLf;
}

QString ulStartTag(const ListMarkFields &fields)
{
    return QStringLiteral("<UL") + markType(fields) + QLatin1Char('>');
}

QString olStartTag(const ListNumberFields &fields)
{
    return QStringLiteral("<OL") + numberType(fields) + startAttribute(fields) + QLatin1Char('>');
}

QString liMarkTag(const ListMarkFields &fields)
{
    return QStringLiteral("<LI") + markType(fields) + QLatin1Char('>');
}

QString liNumberTag(const ListNumberFields &fields)
{
    return QStringLiteral("<LI") + numberType(fields)
           + buildAttributes<ListNumberFields>(fields, ValueRows) + QLatin1Char('>');
}

ListMarkFields readUlTag(const QString &tag)
{
    return readTag<ListMarkFields>(tag, MarkRows);
}

ListNumberFields readOlTag(const QString &tag)
{
    ListNumberFields fields;
    readAttributes<ListNumberFields>(tag, NumberTypeRows, fields);
    readAttributes<ListNumberFields>(tag, StartRows, fields);
    return fields;
}

ListItemKind listItemKind(const QString &tag)
{
    const QString type = GetTagOption(tag, QStringLiteral("type"));
    if (type == NoOpt)
        return ListItemKind::Untyped;
    return wordEntry(type, MarkWords, WordCase::AnyCase) ? ListItemKind::Marked
                                                         : ListItemKind::Numbered;
}

ListMarkFields readLiMarkTag(const QString &tag)
{
    ListMarkFields fields = readUlTag(tag);
    fields.wholeList = false;
    return fields;
}

ListNumberFields readLiNumberTag(const QString &tag)
{
    ListNumberFields fields;
    fields.wholeList = false;
    readAttributes<ListNumberFields>(tag, NumberTypeRows, fields);
    readAttributes<ListNumberFields>(tag, ValueRows, fields);
    return fields;
}

QStringList ulAttributeNames()
{
    return attributeNames<ListMarkFields>(MarkRows);
}

QStringList olAttributeNames()
{
    return attributeNames<ListNumberFields>(NumberTypeRows)
           + attributeNames<ListNumberFields>(StartRows);
}

QStringList liMarkAttributeNames()
{
    return ulAttributeNames();
}

QStringList liNumberAttributeNames()
{
    return attributeNames<ListNumberFields>(NumberTypeRows)
           + attributeNames<ListNumberFields>(ValueRows);
}

bool isStartTagNamed(const QString &tag, const char *name)
{
    const QString open = QLatin1Char('<') + QLatin1String(name);
    if (!startsWithAsciiCaseless(tag, open))
        return false;
    if (tag.size() == open.size())
        return true;
    const QChar next = tag[open.size()];
    return next.isSpace() || next == QLatin1Char('>') || next == QLatin1Char('/');
}

std::optional<DefinitionEntries> readDefinitionList(const QString &element)
{
    // Searched in a lower-case copy of the same length, cut from the element itself.
    const QString lower = lowerSameLength(element);
    const QLatin1String open("<dl>"), close("</dl>");
    if (!lower.startsWith(open) || !lower.endsWith(close))
        return std::nullopt;
    const qsizetype end = lower.size() - close.size();
    if (lower.indexOf(QLatin1String("<dl"), open.size()) >= 0)
        return std::nullopt;

    // Cuts the text between `startTag` (found after `at`, only blanks before it) and the next
    // `endTag`; `at` moves past the end tag.
    const auto cut = [&](qsizetype &at, QLatin1String startTag,
                         QLatin1String endTag) -> std::optional<QString> {
        const qsizetype start = lower.indexOf(startTag, at);
        if (start < 0 || start > end || !isBlankBetween(element, at, start))
            return std::nullopt;
        const qsizetype from = start + startTag.size();
        const qsizetype to = lower.indexOf(endTag, from);
        if (to < 0 || to > end)
            return std::nullopt;
        at = to + endTag.size();
        return withoutOuterBreaks(element.mid(from, to - from));
    };

    DefinitionEntries entries;
    qsizetype at = open.size();
    while (!isBlankBetween(element, at, end)) {
        const auto term = cut(at, QLatin1String("<dt>"), QLatin1String("</dt>"));
        const auto description
            = term ? cut(at, QLatin1String("<dd>"), QLatin1String("</dd>")) : std::nullopt;
        if (!description)
            return std::nullopt;
        entries.append({*term, *description});
    }
    return entries;
}

QList<AttributeWords> listAttributeWords()
{
    return {{"UL", "type", wordValues(MarkWords)},
            {"OL", "type", wordValues(NumberWords)},
            {"LI", "type", wordValues(MarkWords) + wordValues(NumberWords)}};
}
