#pragma once

#include "core/codec.h"

#include <QByteArray>
#include <QString>

#include <array>

// Helpers shared by the lossless codecs of encodings.h.
namespace keptbytes {

// A byte that cannot be read is kept as the reserved unit U+DC00 + byte.
constexpr char16_t base = 0xDC00;
inline char16_t unitOf(uchar byte)
{
    return char16_t(base + byte);
}
inline bool isKept(char16_t unit)
{
    return unit >= base && unit <= base + 0xFF;
}
inline uchar byteOf(char16_t unit)
{
    return uchar(unit - base);
}

// Characters the text control cannot hold as themselves: it makes a paragraph separator of
// U+2029 and takes U+FDD0 and U+FDD1 for the marks of its frames, and all three come out as
// line breaks. The Unicode decoders keep the bytes of these characters instead, so that a file
// holding them is written back as it was read.
inline bool isUnholdable(char32_t codePoint)
{
    return codePoint == 0x2029 || codePoint == 0xFDD0 || codePoint == 0xFDD1;
}

// One way of writing the character at a place in the text: the bytes written, the units a
// reader gives back for them, and how many units of the text they stand for.
struct Form
{
    std::array<char, 24> bytes;
    std::array<char16_t, 12> readsAs;
    quint8 byteCount = 0;
    quint8 readCount = 0;
    quint8 units = 1;
    bool reference = false; // written as "&#xHHHH;" and reported

    void addByte(uchar byte) { bytes[byteCount++] = char(byte); }
    void addBytes(QByteArrayView more)
    {
        for (char byte : more)
            bytes[byteCount++] = byte;
    }
    void addRead(char16_t unit) { readsAs[readCount++] = unit; }
};

// The character at `index`: one unit, or a surrogate pair read as one code point; `units`
// gets its length.
char32_t codePointAt(const QString &text, qsizetype index, quint8 *units);

// "&#xHHHH;" (four hexadecimal digits at least, upper case) for `codePoint` into `out`; gives
// its length, at most 10.
int referenceText(char32_t codePoint, char *out);

// The character at `index` written as a reference in ASCII bytes, after `prefix`.
Form asciiReference(const QString &text, qsizetype index, QByteArrayView prefix = {});

// Notes the character at `index` (`units` long) as written as a reference.
void noteReference(EncodeReport *report, const QString &text, qsizetype index, qsizetype units);

} // namespace keptbytes
