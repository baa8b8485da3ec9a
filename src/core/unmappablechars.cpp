#include "core/unmappablechars.h"

#include <QHash>

namespace {

// Whether `encoding` writes the code point as itself, not as a numeric reference.
class Holdability
{
public:
    explicit Holdability(TextEncoding encoding) : m_encoding(encoding) {}

    bool holds(const QString &character)
    {
        const auto known = m_cache.constFind(character);
        if (known != m_cache.constEnd())
            return *known;
        EncodeReport report;
        encodeText(character, m_encoding, &report);
        const bool held = report.unmappable == 0;
        m_cache.insert(character, held);
        return held;
    }

private:
    TextEncoding m_encoding;
    QHash<QString, bool> m_cache;
};

} // namespace

QList<UnmappableCharacter> unmappableCharacters(const QString &text, TextEncoding encoding)
{
    Holdability holdability(encoding);
    QList<UnmappableCharacter> found;
    QHash<QString, qsizetype> indexOf;
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            ++line;
            continue;
        }
        if (unit.unicode() < 0x80)
            continue; // every encoding here holds ASCII
        const bool pair = unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1);
        if (pair)
            ++i;
        if (holdability.holds(character))
            continue;
        const auto at = indexOf.constFind(character);
        if (at == indexOf.constEnd()) {
            indexOf.insert(character, found.size());
            found.append({character, {line}});
        } else if (found[*at].lines.constLast() != line) {
            found[*at].lines.append(line);
        }
    }
    return found;
}

QString describeUnmappable(const QList<UnmappableCharacter> &characters, int limit)
{
    QStringList parts;
    for (qsizetype i = 0; i < characters.size() && i < limit; ++i) {
        QStringList lines;
        for (int line : characters[i].lines)
            lines << QString::number(line);
        parts << QStringLiteral("%1 (%2 行目)").arg(characters[i].character, lines.join(QStringLiteral(", ")));
    }
    QString text = parts.join(QStringLiteral("  "));
    if (characters.size() > limit)
        text += QStringLiteral("  ほか %1 文字").arg(characters.size() - limit);
    return text;
}
