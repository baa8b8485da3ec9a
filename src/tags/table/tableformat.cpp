#include "tags/table/tableformat.h"

#include "tags/shared/tagformat.h"

#include <array>

namespace {

const QString CrLf = QStringLiteral("\r\n");

constexpr TagWord HorizontalWords[]
    = {{"left", "左揃え"}, {"center", "中央揃え"}, {"right", "右揃え"}};
constexpr TagWord VerticalWords[]
    = {{"top", "上揃え"}, {"middle", "中央揃え"}, {"bottom", "下揃え"}};
constexpr std::array<const char *, 5> RulesWords{"none", "rows", "cols", "groups", "all"};

using TableRow = TagAttributeRow<TableFields>;
// The frame of the table, in the order both TABLE builders write it.
const TableRow FrameRows[] = {
    {"border", TableRow::Text, &TableFields::border},
    {"bordercolor", TableRow::Text, &TableFields::borderColor},
    {"width", TableRow::Size, &TableFields::width, &TableFields::widthPercent},
    {"height", TableRow::Size, &TableFields::height, &TableFields::heightPercent},
    {"cellspacing", TableRow::Text, &TableFields::cellSpacing},
};
const TableRow PaddingRows[] = {{"cellpadding", TableRow::Text, &TableFields::cellPadding}};
const TableRow AlignRows[] = {
    {"align", TableRow::Word, &TableFields::align, nullptr, HorizontalWords, WordCase::AnyCase,
     true},
};

using RowRow = TagAttributeRow<RowFields>;
const RowRow RowRows[] = {
    {"align", RowRow::Word, &RowFields::align, nullptr, HorizontalWords},
    {"valign", RowRow::Word, &RowFields::valign, nullptr, VerticalWords},
};

using CellRow = TagAttributeRow<CellFields>;
const CellRow CellRows[] = {
    {"bgcolor", CellRow::Text, &CellFields::bgColor},
    {"align", CellRow::Word, &CellFields::align, nullptr, HorizontalWords},
    {"valign", CellRow::Word, &CellFields::valign, nullptr, VerticalWords},
    {"nowrap", CellRow::Flag, nullptr, &CellFields::noWrap},
    {"colspan", CellRow::Text, &CellFields::colspan},
    {"rowspan", CellRow::Text, &CellFields::rowspan},
    {"width", CellRow::Size, &CellFields::width, &CellFields::widthPercent},
    {"height", CellRow::Size, &CellFields::height, &CellFields::heightPercent},
};

// ` rules="..."` for a ticked rules box; `allValue` is what 縦横両方 writes (nothing when
// empty).
QString rulesAttribute(const TableFields &fields, const char *allValue)
{
    if (!fields.rulesChosen || fields.rulesOption < 0 || fields.rulesOption > int(TableRules::All))
        return {};
    const char *value
        = fields.rulesOption == int(TableRules::All) ? allValue : RulesWords[fields.rulesOption];
    return attributeText("rules", QLatin1String(value));
}

} // namespace

QString noAlignment()
{
    return QStringLiteral("（なし）");
}

QString horizontalAlignValue(const QString &entry)
{
    return wordValue(entry, HorizontalWords);
}

QString verticalAlignValue(const QString &entry)
{
    return wordValue(entry, VerticalWords);
}

QString newTableStart(const TableFields &fields)
{
    QString text = QStringLiteral("<TABLE") + buildAttributes<TableFields>(fields, FrameRows)
                   + rulesAttribute(fields, "") + buildAttributes<TableFields>(fields, PaddingRows)
                   + buildAttributes<TableFields>(fields, AlignRows) + QLatin1Char('>') + CrLf;
    if (!fields.caption.isEmpty()) {
        text += QStringLiteral("<CAPTION ALIGN=\"")
                + (fields.captionBelow ? QStringLiteral("bottom") : QStringLiteral("top"))
                + QStringLiteral("\">") + fields.caption + QStringLiteral("</CAPTION>") + CrLf;
    }
    return text;
}

QString tableStartTag(const TableFields &fields)
{
    return QStringLiteral("<TABLE") + buildAttributes<TableFields>(fields, FrameRows)
           + buildAttributes<TableFields>(fields, PaddingRows) + rulesAttribute(fields, "all")
           + buildAttributes<TableFields>(fields, AlignRows) + QLatin1Char('>');
}

QString tableGrid(int rows, int cells)
{
    const QString cell = QStringLiteral("\t<TD></TD>") + CrLf;
    const QString row = QStringLiteral("<TR>") + CrLf + cell.repeated(qMax(cells, 0))
                        + QStringLiteral("</TR>") + CrLf;
    return row.repeated(qMax(rows, 0)) + QStringLiteral("</TABLE>") + CrLf;
}

QString rowStartTag(const RowFields &fields)
{
    return QStringLiteral("<TR") + buildAttributes<RowFields>(fields, RowRows) + QLatin1Char('>');
}

QString cellStartTag(const CellFields &fields)
{
    return (fields.header ? QStringLiteral("<TH") : QStringLiteral("<TD"))
           + buildAttributes<CellFields>(fields, CellRows) + QLatin1Char('>');
}

QString cellEndTag(bool header)
{
    return header ? QStringLiteral("</TH>") : QStringLiteral("</TD>");
}

TableFields readTableTag(const QString &tag)
{
    TableFields fields;
    readAttributes<TableFields>(tag, FrameRows, fields);
    readAttributes<TableFields>(tag, PaddingRows, fields);
    readAttributes<TableFields>(tag, AlignRows, fields);
    const QString rules = GetTagOption(tag, QStringLiteral("rules"));
    if (rules != NoOpt) {
        fields.rulesChosen = true;
        for (int i = 0; i < int(RulesWords.size()); ++i) {
            if (equalsAsciiCaseless(rules, QString::fromLatin1(RulesWords[i])))
                fields.rulesOption = i;
        }
    }
    return fields;
}

RowFields readTrTag(const QString &tag)
{
    return readTag<RowFields>(tag, RowRows);
}

CellFields readTdTag(const QString &tag)
{
    CellFields fields;
    fields.header = startsWithAsciiCaseless(tag, u"<th");
    readAttributes<CellFields>(tag, CellRows, fields);
    fields.bgColor = asciiUpper(fields.bgColor);
    return fields;
}

QStringList tableAttributeNames()
{
    return attributeNames<TableFields>(FrameRows) + attributeNames<TableFields>(PaddingRows)
           + attributeNames<TableFields>(AlignRows) + QStringList{QStringLiteral("rules")};
}

QStringList rowAttributeNames()
{
    return attributeNames<RowFields>(RowRows);
}

QStringList cellAttributeNames()
{
    return attributeNames<CellFields>(CellRows);
}

int parseTableCount(const QString &text)
{
    return parseWholeNumber(text, MaxTableCount).value_or(-1);
}

QList<AttributeWords> tableAttributeWords()
{
    QStringList rules;
    for (const char *word : RulesWords)
        rules << QLatin1String(word);
    QList<AttributeWords> words{{"TABLE", "align", wordValues(HorizontalWords)},
                                {"TABLE", "rules", rules}};
    for (const char *tag : {"TR", "TD", "TH"}) {
        words.append({tag, "align", wordValues(HorizontalWords)});
        words.append({tag, "valign", wordValues(VerticalWords)});
    }
    return words;
}
