#include "tags/link/linkformat.h"

#include "tags/shared/tagformat.h"

namespace {

constexpr TagWord TargetWords[] = {
    {"_blank", "新規ウィンドウ"},
    {"_self", "同じウィンドウ"},
    {"_parent", "親フレーム"},
    {"_top", "全領域"},
};

using LinkRow = TagAttributeRow<LinkFields>;
const LinkRow LinkRows[] = {{"href", LinkRow::Text, &LinkFields::url}};
const char *const TargetName = "target";

using MailRow = TagAttributeRow<MailFields>;
const MailRow MailRows[] = {{"href", MailRow::Text, &MailFields::address}};

const QLatin1String MailtoPrefix("mailto:");

} // namespace

QStringList linkTargetEntries()
{
    QStringList entries;
    for (const TagWord &word : TargetWords)
        entries << QString::fromUtf8(word.entry);
    return entries;
}

QString linkStart(const LinkFields &fields)
{
    const QString word = wordValue(fields.target, TargetWords);
    return QStringLiteral("<A") + buildAttributes<LinkFields>(fields, LinkRows)
           + attributeText(TargetName, word.isEmpty() ? fields.target : word) + QLatin1Char('>')
           + fields.text;
}

QString mailLink(const MailFields &fields)
{
    return QStringLiteral("<A href=") + quotedValue(MailtoPrefix + fields.address)
           + QLatin1Char('>') + fields.text + QStringLiteral("</A>");
}

QString withoutMailtoPrefix(const QString &address)
{
    return address.startsWith(MailtoPrefix) ? address.mid(MailtoPrefix.size()) : address;
}

LinkElement splitLinkElement(const QString &selText)
{
    LinkElement element;
    element.startTag = selText.left(startTagEnd(selText) + 1);
    const qsizetype end
        = lowerSameLength(selText).indexOf(QLatin1String("</a>"), element.startTag.size());
    element.closed = end >= 0;
    if (element.closed)
        element.content = selText.mid(element.startTag.size(), end - element.startTag.size());
    return element;
}

bool isMailLink(const LinkElement &element)
{
    return GetTagOption(element.startTag, QStringLiteral("href")).startsWith(MailtoPrefix);
}

LinkFields readLinkElement(const LinkElement &element)
{
    LinkFields fields;
    readAttributes<LinkFields>(element.startTag, LinkRows, fields);
    const QString target = GetTagOption(element.startTag, QLatin1String(TargetName));
    if (target != NoOpt)
        fields.target = wordEntry(target, TargetWords, WordCase::AnyCase).value_or(target);
    fields.text = element.content;
    return fields;
}

MailFields readMailElement(const LinkElement &element)
{
    MailFields fields;
    readAttributes<MailFields>(element.startTag, MailRows, fields);
    fields.text = element.content;
    return fields;
}

QStringList linkAttributeNames()
{
    return attributeNames<LinkFields>(LinkRows) << QLatin1String(TargetName);
}

QStringList mailAttributeNames()
{
    return attributeNames<MailFields>(MailRows);
}

QList<AttributeWords> linkAttributeWords()
{
    return {{"A", "target", wordValues(TargetWords)}};
}
