#include "tags/shared/tagoption.h"

QString lowerSameLength(const QString &text)
{
    QString lower(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        lower[i] = text[i].toLower();
    return lower;
}

namespace {

// Attributes are separated by blanks; a tab or a line break between them counts as one too,
// so a tag written over several lines does not run one attribute into the next value.
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
        || c == QLatin1Char('\n');
}

} // namespace

QString GetTagOption(const QString &tag, const QString &name)
{
    const qsizetype nameAt = lowerSameLength(tag).indexOf(lowerSameLength(name));
    if (nameAt < 0)
        return NoOpt;

    const qsizetype equalsAt = tag.indexOf(QLatin1Char('='), nameAt);
    QString value;
    for (qsizetype i = equalsAt + 1; i < tag.size(); ++i) {
        const QChar c = tag[i];
        if (isBlank(c)) {
            if (value.isEmpty())
                continue;
            break;
        }
        if (c == QLatin1Char('>'))
            break;
        value += c;
    }
    if (value.endsWith(QLatin1Char('"')))
        value.chop(1);
    if (value.startsWith(QLatin1Char('"')))
        value.remove(0, 1);
    return value;
}
