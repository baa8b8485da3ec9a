#include "core/unmappablechars.h"

#include <QHash>

QList<UnmappableCharacter> unmappableCharacters(const QString &text, TextEncoding encoding)
{
    // The whole text is written, as a save writes it: whether a character is written as a
    // reference can depend on its neighbours (a kept byte it would pair with).
    EncodeReport report;
    encodeText(text, encoding, &report);
    QList<UnmappableCharacter> found;
    QHash<QString, qsizetype> indexOf;
    int line = 1;
    qsizetype i = 0;
    for (const qsizetype at : std::as_const(report.unmappableAt)) {
        for (; i < at; ++i) {
            const QChar unit = text.at(i);
            if (unit == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                continue; // counted at the LF
            if (unit == u'\r' || unit == u'\n')
                ++line;
        }
        const bool pair = text.at(at).isHighSurrogate() && at + 1 < text.size()
                          && text.at(at + 1).isLowSurrogate();
        const QString character = text.mid(at, pair ? 2 : 1);
        const auto known = indexOf.constFind(character);
        if (known == indexOf.constEnd()) {
            indexOf.insert(character, found.size());
            found.append({character, {line}});
        } else if (found[*known].lines.constLast() != line) {
            found[*known].lines.append(line);
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
        parts << QStringLiteral("%1 (%2 行目)")
                     .arg(characters[i].character, lines.join(QStringLiteral(", ")));
    }
    QString text = parts.join(QStringLiteral("  "));
    if (characters.size() > limit)
        text += QStringLiteral("  ほか %1 文字").arg(characters.size() - limit);
    return text;
}
