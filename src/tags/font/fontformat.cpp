#include "tags/font/fontformat.h"

#include "tags/shared/tagformat.h"

namespace {

constexpr TagWord HeadingAlignWords[]
    = {{"left", "左寄せ"}, {"center", "中央"}, {"right", "右寄せ"}};
constexpr TagWord RuleAlignWords[]
    = {{"left", "左揃え"}, {"center", "中央揃え"}, {"right", "右揃え"}};

using FontRow = TagAttributeRow<FontValues>;
const FontRow FontRows[] = {
    {"size", FontRow::Text, &FontValues::size},
    {"face", FontRow::Text, &FontValues::face},
    {"color", FontRow::Text, &FontValues::color},
};

using HeadingRow = TagAttributeRow<HeadingValues>;
const HeadingRow HeadingRows[] = {
    {"align", HeadingRow::Word, &HeadingValues::align, nullptr, HeadingAlignWords},
};

using RuleRow = TagAttributeRow<RuleValues>;
// The order in which the rule is written; noshade closes the tag.
const RuleRow RuleRows[] = {
    {"width", RuleRow::Size, &RuleValues::width, &RuleValues::widthPercent},
    {"size", RuleRow::Text, &RuleValues::size},
    {"align", RuleRow::Word, &RuleValues::align, nullptr, RuleAlignWords},
    {"noshade", RuleRow::Flag, nullptr, &RuleValues::noShade},
};

QStringList entries(TagWords words)
{
    QStringList list;
    for (const TagWord &word : words)
        list << QString::fromUtf8(word.entry);
    return list;
}

int boundedLevel(int level)
{
    return qBound(1, level, 6);
}

} // namespace

QStringList fontSizeEntries()
{
    QStringList list;
    for (const char *sign : {"", "-", "+"}) {
        for (int size = 1; size <= 7; ++size)
            list << QLatin1String(sign) + QString::number(size);
    }
    return list;
}

QStringList headingAlignEntries()
{
    return entries(HeadingAlignWords);
}

QStringList ruleAlignEntries()
{
    return entries(RuleAlignWords);
}

QString fontStartTag(const FontValues &values)
{
    FontValues written = values;
    written.color = asciiUpper(values.color);
    return QStringLiteral("<FONT") + buildAttributes<FontValues>(written, FontRows)
           + QLatin1Char('>');
}

QString fontEndTag()
{
    return QStringLiteral("</FONT>");
}

QString headingStartTag(const HeadingValues &values)
{
    return QStringLiteral("<H") + QString::number(boundedLevel(values.level))
           + buildAttributes<HeadingValues>(values, HeadingRows) + QLatin1Char('>');
}

QString headingEndTag(int level)
{
    return QStringLiteral("</H") + QString::number(boundedLevel(level)) + QLatin1Char('>');
}

bool isHeadingAlignEntry(const QString &text)
{
    return text.isEmpty() || headingAlignEntries().contains(text);
}

QString ruleTag(const RuleValues &values)
{
    return QStringLiteral("<HR") + buildAttributes<RuleValues>(values, RuleRows) + QLatin1Char('>');
}

FontValues readFontTag(const QString &tag)
{
    FontValues values;
    readAttributes<FontValues>(tag, FontRows, values);
    values.color = asciiUpper(values.color);
    return values;
}

HeadingValues readHeadingTag(const QString &tag)
{
    HeadingValues values;
    if (tag.size() >= 3 && tag[2].isDigit())
        values.level = boundedLevel(tag[2].digitValue());
    readAttributes<HeadingValues>(tag, HeadingRows, values);
    return values;
}

RuleValues readHrTag(const QString &tag)
{
    RuleValues values;
    values.noShade = false; // only a NOSHADE in the tag unticks 立体表示
    readAttributes<RuleValues>(tag, RuleRows, values);
    return values;
}

QStringList fontAttributeNames()
{
    return attributeNames<FontValues>(FontRows);
}

QStringList headingAttributeNames()
{
    return attributeNames<HeadingValues>(HeadingRows);
}

QStringList ruleAttributeNames()
{
    return attributeNames<RuleValues>(RuleRows);
}

HeadingElement splitHeadingElement(const QString &element)
{
    const qsizetype tagEnd = qMin(startTagEnd(element) + 1, element.size());
    const qsizetype endTag = qMax(tagEnd, element.size() - 5);
    return {element.left(tagEnd), element.mid(tagEnd, endTag - tagEnd)};
}

QList<AttributeWords> fontAttributeWords()
{
    QList<AttributeWords> words{{"HR", "align", wordValues(RuleAlignWords)}};
    for (const char *tag : {"H1", "H2", "H3", "H4", "H5", "H6"})
        words.append({tag, "align", wordValues(HeadingAlignWords)});
    return words;
}
