#include "tags/table/tablefragments.h"

#include <QStringBuilder>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// ` name="value"` (with a percent sign when asked), or nothing for an empty value.
QString attribute(const char *name, const QString &value, bool percent = false)
{
    if (value.isEmpty())
        return {};
    return QLatin1Char(' ') % QLatin1String(name) % QStringLiteral("=\"") % value
        % (percent ? QStringLiteral("%") : QString()) % QLatin1Char('"');
}

// ` rules="..."` for a ticked rules box; `allValue` is what 縦横両方 writes (nothing when
// empty).
QString rulesAttribute(const TableFields &fields, const char *allValue)
{
    static const char *const values[] = {"none", "rows", "cols", "groups"};
    if (!fields.rulesChosen || fields.rulesOption < 0 || fields.rulesOption > int(TableRules::All))
        return {};
    const char *value = fields.rulesOption == int(TableRules::All) ? allValue
                                                                   : values[fields.rulesOption];
    return attribute("rules", QLatin1String(value));
}

QString frameAttributes(const TableFields &fields)
{
    return attribute("border", fields.border) + attribute("bordercolor", fields.borderColor)
        + attribute("width", fields.width, fields.widthPercent)
        + attribute("height", fields.height, fields.heightPercent)
        + attribute("cellspacing", fields.cellSpacing);
}

struct Entry
{
    const char *text;
    const char *value;
};

QString valueOf(const QString &entry, const Entry (&entries)[3])
{
    for (const Entry &e : entries) {
        if (entry == QString::fromUtf8(e.text))
            return QLatin1String(e.value);
    }
    return {};
}

} // namespace

QString horizontalAlignValue(const QString &entry)
{
    static const Entry entries[] = {{"左揃え", "left"}, {"中央揃え", "center"}, {"右揃え", "right"}};
    return valueOf(entry, entries);
}

QString verticalAlignValue(const QString &entry)
{
    static const Entry entries[] = {{"上揃え", "top"}, {"中央揃え", "middle"}, {"下揃え", "bottom"}};
    return valueOf(entry, entries);
}

QString newTableStart(const TableFields &fields)
{
    QString text = QStringLiteral("<TABLE") + frameAttributes(fields)
        + rulesAttribute(fields, "") + attribute("cellpadding", fields.cellPadding)
        + attribute("align", horizontalAlignValue(fields.align)) + QLatin1Char('>') + CrLf;
    if (!fields.caption.isEmpty()) {
        text += QStringLiteral("<CAPTION ALIGN=\"")
            + (fields.captionBelow ? QStringLiteral("bottom") : QStringLiteral("top"))
            + QStringLiteral("\">") + fields.caption + QStringLiteral("</CAPTION>") + CrLf;
    }
    return text;
}

QString tableStartTag(const TableFields &fields)
{
    return QStringLiteral("<TABLE") + frameAttributes(fields)
        + attribute("cellpadding", fields.cellPadding) + rulesAttribute(fields, "all")
        + attribute("align", horizontalAlignValue(fields.align)) + QLatin1Char('>');
}

QString tableGrid(int rows, int cells)
{
    const QString cell = QStringLiteral("\t<TD></TD>") + CrLf;
    const QString row = QStringLiteral("<TR>") + CrLf + cell.repeated(qMax(cells, 0))
        + QStringLiteral("</TR>") + CrLf;
    return row.repeated(qMax(rows, 0)) + QStringLiteral("</TABLE>") + CrLf;
}

QString rowStartTag(const QString &align, const QString &valign)
{
    return QStringLiteral("<TR") + attribute("align", horizontalAlignValue(align))
        + attribute("valign", verticalAlignValue(valign)) + QLatin1Char('>');
}

QString cellStartTag(const CellFields &fields)
{
    return (fields.header ? QStringLiteral("<TH") : QStringLiteral("<TD"))
        + attribute("bgcolor", fields.bgColor)
        + attribute("align", horizontalAlignValue(fields.align))
        + attribute("valign", verticalAlignValue(fields.valign))
        + (fields.noWrap ? QStringLiteral(" nowrap") : QString())
        + attribute("colspan", fields.colspan) + attribute("rowspan", fields.rowspan)
        + attribute("width", fields.width, fields.widthPercent)
        + attribute("height", fields.height, fields.heightPercent) + QLatin1Char('>');
}

QString cellEndTag(bool header)
{
    return header ? QStringLiteral("</TH>") : QStringLiteral("</TD>");
}

int parseTableCount(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 4)
        return -1;
    int value = 0;
    for (const QChar c : digits) {
        const int digit = c.digitValue();
        if (digit < 0 || !c.isDigit())
            return -1;
        value = value * 10 + digit;
    }
    return value <= MaxTableCount ? value : -1;
}
