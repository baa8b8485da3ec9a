#include "tags/shared/tagformat.h"

#include <QRegularExpression>
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
        const QString lower = QLatin1String(word.value);
        bool match = value == lower;
        if (spelling == WordCase::ThreeSpellings) {
            // The first letter in capitals: "Center", "_Blank".
            QString capitalised = lower;
            const qsizetype letter = capitalised.indexOf(QRegularExpression(QStringLiteral("[a-z]")));
            if (letter >= 0)
                capitalised[letter] = capitalised[letter].toUpper();
            match = match || value == capitalised || value == lower.toUpper();
        } else if (spelling == WordCase::AnyCase) {
            match = value.compare(lower, Qt::CaseInsensitive) == 0;
        }
        if (match)
            return QString::fromUtf8(word.entry);
    }
    return std::nullopt;
}

QString attributeText(const char *name, const QString &value, bool percent)
{
    if (value.isEmpty())
        return {};
    return QLatin1Char(' ') % QLatin1String(name) % QStringLiteral("=\"") % value
        % (percent ? QStringLiteral("%") : QString()) % QLatin1Char('"');
}

SizeValue splitPercent(const QString &value)
{
    if (value.endsWith(QLatin1Char('%')))
        return {value.chopped(1), true};
    return {value, false};
}
