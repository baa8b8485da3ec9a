#include "tags/shared/tagformat.h"

#include <QStringBuilder>

QString wordValue(const QString &entry, TagWords words)
{
    for (const TagWord &word : words) {
        if (entry == QString::fromUtf8(word.entry))
            return QLatin1String(word.value);
    }
    return {};
}

std::optional<QString> wordEntry(const QString &value, TagWords words, WordCase spelling)
{
    for (const TagWord &word : words) {
        const QLatin1String written(word.value);
        const bool match = spelling == WordCase::Exact
                               ? value == written
                               : equalsAsciiCaseless(value, QString(written));
        if (match)
            return QString::fromUtf8(word.entry);
    }
    return std::nullopt;
}

QString quotedValue(const QString &value)
{
    const QChar dq = QLatin1Char('"');
    const QChar sq = QLatin1Char('\'');
    if (!value.contains(dq))
        return dq % value % dq;
    if (!value.contains(sq))
        return sq % value % sq;
    return dq % QString(value).replace(dq, QStringLiteral("&quot;")) % dq;
}

QString attributeText(const char *name, const QString &value, bool percent)
{
    if (value.isEmpty())
        return {};
    return QLatin1Char(' ') % QLatin1String(name) % QLatin1Char('=')
           % quotedValue(percent ? value + QLatin1Char('%') : value);
}

SizeValue splitPercent(const QString &value)
{
    if (value.endsWith(QLatin1Char('%')))
        return {value.chopped(1), true};
    return {value, false};
}

std::optional<int> parseWholeNumber(const QString &text, int maximum)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        const int digit = c.digitValue();
        if (!c.isDigit() || digit < 0)
            return std::nullopt;
        // Stops as soon as the maximum is passed, so no length of digits overflows.
        if (digit > maximum || value > (maximum - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

QString asciiNumberText(const QString &text)
{
    QString ascii = text;
    for (QChar &c : ascii) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            c = QLatin1Char(char('0' + (u - u'０')));
        else if (u == u'＋')
            c = QLatin1Char('+');
        else if (u == u'－' || u == u'−')
            c = QLatin1Char('-');
    }
    return ascii;
}

QStringList wordValues(TagWords words)
{
    QStringList values;
    for (const TagWord &word : words)
        values << QString::fromUtf8(word.value);
    return values;
}
