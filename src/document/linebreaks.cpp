#include "document/linebreaks.h"

#include <algorithm>

QString withLfBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString withCrLfBreaks(QStringView raw)
{
    const qsizetype breaks = raw.count(QChar::ParagraphSeparator);
    if (breaks == 0)
        return raw.toString();
    QString result(raw.size() + breaks, Qt::Uninitialized);
    QChar *out = result.data();
    qsizetype from = 0;
    for (qsizetype at; (at = raw.indexOf(QChar::ParagraphSeparator, from)) >= 0; from = at + 1) {
        out = std::copy(raw.begin() + from, raw.begin() + at, out);
        *out++ = u'\r';
        *out++ = u'\n';
    }
    std::copy(raw.begin() + from, raw.end(), out);
    return result;
}
