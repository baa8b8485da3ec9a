#pragma once

#include "core/encodings.h"

#include <QList>
#include <QString>

// A character an encoding cannot hold (saved as "&#xHHHH;") and the lines it stands on.
struct UnmappableCharacter
{
    QString character; // one code point: one unit or a surrogate pair
    QList<int> lines;  // 1-based, ascending, each once
};

// The characters of `text` that `encoding` cannot hold, in order of first appearance. Lines
// are counted at every CR LF, lone CR and lone LF, as the file will have them.
QList<UnmappableCharacter> unmappableCharacters(const QString &text, TextEncoding encoding);

// The list for a message: "𠮷 (3, 7 行目)  😀 (1 行目)", at most `limit` characters, then
// how many more there are.
QString describeUnmappable(const QList<UnmappableCharacter> &characters, int limit = 20);
