#include "document/csvtable.h"

#include <QStringView>

namespace {

void appendSpanCell(QString &out, const char *attribute, qsizetype span, QStringView text)
{
    out += QStringLiteral("\t<TD %1=\"%2\">").arg(QLatin1String(attribute)).arg(span);
    out += text;
    out += QStringLiteral("</TD>\r\n");
}

void appendCell(QString &out, QStringView cell)
{
    if (const qsizetype colspan = cell.lastIndexOf(u'>') + 1; colspan > 0)
        appendSpanCell(out, "COLSPAN", colspan, cell.sliced(colspan));
    else if (const qsizetype rowspan = cell.lastIndexOf(u'_') + 1; rowspan > 0)
        appendSpanCell(out, "ROWSPAN", rowspan, cell.sliced(rowspan));
    else if (!cell.isEmpty()) {
        out += QLatin1String("\t<TD>");
        out += cell;
        out += QLatin1String("</TD>\r\n");
    }
}

// The cell without its tabs; `kept` holds the characters when some had to go.
QStringView withoutTabs(QStringView cell, QString &kept)
{
    if (!cell.contains(u'\t'))
        return cell;
    kept = cell.toString();
    kept.remove(u'\t');
    return kept;
}

// Appends the row of one line (without its line break), or nothing when its first cell is
// empty.
void appendRow(QString &out, QStringView line)
{
    QString kept;
    qsizetype cellEnd = line.indexOf(u',');
    if (withoutTabs(line.first(cellEnd < 0 ? line.size() : cellEnd), kept).isEmpty())
        return;
    out += QLatin1String("<TR>\r\n");
    for (qsizetype start = 0;; start = cellEnd + 1) {
        cellEnd = line.indexOf(u',', start);
        const qsizetype end = cellEnd < 0 ? line.size() : cellEnd;
        appendCell(out, withoutTabs(line.sliced(start, end - start), kept));
        if (cellEnd < 0)
            break;
    }
    out += QLatin1String("</TR>\r\n");
}

} // namespace

QString csvToTable(const QString &csv)
{
    QString out = QStringLiteral("<TABLE BORDER=\"1\">\r\n");
    // Room for the text and the markup of every cell and row, so the table is not moved as it
    // grows.
    const qsizetype pieces = csv.count(u',') + csv.count(u'\n') + csv.count(u'\r') + 1;
    out.reserve(csv.size() + 24 * pieces + 64);
    // One pass, line by line, cell by cell, without a copy of each cell.
    const QStringView text(csv);
    for (qsizetype start = 0;;) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        appendRow(out, text.sliced(start, end - start));
        if (end == text.size())
            break;
        start
            = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
    out += QStringLiteral("</TABLE>");
    return out;
}
