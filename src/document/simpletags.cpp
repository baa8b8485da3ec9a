#include "document/simpletags.h"

QString startTag(const QString &name)
{
    return u'<' + name + u'>';
}

QString endTag(const QString &name)
{
    return QStringLiteral("</") + name + u'>';
}

QString divBlock(DivAlign align, const QString &selected)
{
    const char *value = align == DivAlign::Left    ? "Left"
                        : align == DivAlign::Right ? "Right"
                                                   : "Center";
    return QStringLiteral("<DIV ALIGN=\"%1\">").arg(QLatin1String(value)) + selected
           + QStringLiteral("</DIV>");
}

QString commentBlock(const QString &selected)
{
    return QStringLiteral("<!-- ") + selected + QStringLiteral(" -->");
}

QString doctypeDeclaration(int index)
{
    // System identifiers of the HTML 4.0 Recommendation's three DTDs.
    static const char *const html40Dtds[] = {
        "http://www.w3.org/TR/REC-html40/strict.dtd",
        "http://www.w3.org/TR/REC-html40/loose.dtd",
        "http://www.w3.org/TR/REC-html40/frameset.dtd",
    };
    if (index == 0)
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">");
    if (index >= 1 && index <= 3)
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 //EN\" \"%1\">")
            .arg(QLatin1String(html40Dtds[index - 1]));
    return {};
}

int doctypeReplaceLength(const QString &text)
{
    if (!text.startsWith(QLatin1String("<!DOCTYPE"), Qt::CaseInsensitive))
        return 0;
    // The declaration ends at its first ">". Searching on for a quote followed by ">" would
    // delete markup after a declaration without quotes ("<!DOCTYPE html>").
    const int end = int(text.indexOf(u'>', 1));
    return end < 0 ? 0 : end + 1;
}

QString characterEntity(int index)
{
    static const char *const entities[] = {"&lt;", "&gt;", "&quot;", "&amp;"};
    if (index < 0 || index >= int(std::size(entities)))
        return {};
    return QLatin1String(entities[index]);
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString dateWeekdayText(const QDate &date, const QLocale &locale)
{
    return dateText(date) + u'(' + locale.dayName(date.dayOfWeek(), QLocale::ShortFormat) + u')';
}

QString timeText(const QTime &time, const QLocale &locale)
{
    // The long format carries the seconds; its time-zone field ("t", outside quotes) is dropped.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString withoutZone;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            withoutZone += c;
    }
    return locale.toString(time, withoutZone.trimmed());
}
