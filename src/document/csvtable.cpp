#include "document/csvtable.h"

#include <QList>
#include <QStringList>

namespace {

QList<QStringList> readCells(const QString &csv)
{
    QList<QStringList> rows{QStringList{QString()}};
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (c == u',') {
            rows.last().append(QString());
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < csv.size() && csv[i + 1] == u'\n')
                ++i;
            rows.append(QStringList{QString()});
        } else if (c != u'\t') {
            rows.last().last() += c;
        }
    }
    return rows;
}

void appendSpanCell(QString &out, const char *attribute, qsizetype span, QStringView text)
{
    out += QStringLiteral("\t<TD %1=\"%2\">").arg(QLatin1String(attribute)).arg(span);
    out += text;
    out += QStringLiteral("</TD>\r\n");
}

void appendCell(QString &out, const QString &cell)
{
    if (const qsizetype colspan = cell.lastIndexOf(u'>') + 1; colspan > 0)
        appendSpanCell(out, "COLSPAN", colspan, QStringView(cell).sliced(colspan));
    else if (const qsizetype rowspan = cell.lastIndexOf(u'_') + 1; rowspan > 0)
        appendSpanCell(out, "ROWSPAN", rowspan, QStringView(cell).sliced(rowspan));
    else if (!cell.isEmpty())
        out += QStringLiteral("\t<TD>") + cell + QStringLiteral("</TD>\r\n");
}

} // namespace

QString csvToTable(const QString &csv)
{
    QString out = QStringLiteral("<TABLE BORDER=\"1\">\r\n");
    out.reserve(csv.size() * 2 + 64);
    for (const QStringList &row : readCells(csv)) {
        if (row.first().isEmpty())
            continue;
        out += QStringLiteral("<TR>\r\n");
        for (const QString &cell : row)
            appendCell(out, cell);
        out += QStringLiteral("</TR>\r\n");
    }
    out += QStringLiteral("</TABLE>");
    return out;
}
