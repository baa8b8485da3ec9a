#pragma once

#include "core/codec.h"

#include <QByteArray>
#include <QString>

// Helpers shared by the lossless codecs of encodings.h.
namespace keptbytes {

// A byte that cannot be read is kept as the reserved unit U+DC00 + byte.
constexpr char16_t base = 0xDC00;
inline char16_t unitOf(uchar byte) { return char16_t(base + byte); }
inline bool isKept(char16_t unit) { return unit >= base && unit <= base + 0xFF; }
inline uchar byteOf(char16_t unit) { return uchar(unit - base); }

// Writes the character at `index` (one unit, or a surrogate pair) as "&#xHHHH;" and notes it
// in the report; gives the number of units used.
qsizetype appendReference(QByteArray &out, const QString &text, qsizetype index, EncodeReport *report);

} // namespace keptbytes
