#include "core/encodingcodecs.h"
#include "core/keptbytes.h"
#include "core/readbackwriter.h"

#include <QtEndian>

namespace {

// The length of the well-formed UTF-8 sequence at `i` (no overlong forms, no surrogates,
// nothing above U+10FFFF), 0 when there is none; `*cutOff` tells whether the bytes end
// inside a sequence that could still be well-formed; `*looked` gets how many bytes decided it,
// one looked for past the end included.
int sequenceLength(const uchar *in, qsizetype size, qsizetype i, char32_t *codePoint, bool *cutOff,
                   int *looked = nullptr)
{
    int seen = 1;
    if (!looked)
        looked = &seen;
    *looked = 1;
    *cutOff = false;
    const uchar lead = in[i];
    int length;
    char32_t value;
    uchar low = 0x80, high = 0xBF; // range of the second byte
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        *looked = k + 1;
        if (i + k >= size) {
            *cutOff = true;
            return 0;
        }
        const uchar next = in[i + k];
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
            return 0;
        value = value << 6 | (next & 0x3F);
    }
    *codePoint = value;
    return length;
}

// UTF-8 for the read-back writer. A well-formed sequence reads as its character, except for the
// characters the text control cannot hold; every other byte is kept.
struct Utf8Codec
{
    struct State
    {};
    static constexpr int maxUnits = 2;

    qsizetype read(QByteArrayView bytes, qsizetype pos, State &, char16_t *units, int &count,
                   qsizetype &looked) const
    {
        const auto *in = reinterpret_cast<const uchar *>(bytes.data());
        char32_t codePoint = 0;
        bool cutOff = false;
        int seen = 1;
        const int length = sequenceLength(in, bytes.size(), pos, &codePoint, &cutOff, &seen);
        looked = seen;
        if (length == 0 || keptbytes::isUnholdable(codePoint)) {
            units[0] = keptbytes::unitOf(in[pos]);
            count = 1;
            return 1;
        }
        if (QChar::requiresSurrogates(codePoint)) {
            units[0] = QChar::highSurrogate(codePoint);
            units[1] = QChar::lowSurrogate(codePoint);
            count = 2;
        } else {
            units[0] = char16_t(codePoint);
            count = 1;
        }
        return length;
    }

    // A kept byte: the byte. A character: its sequence (a lone surrogate has none).
    int forms(const QString &text, qsizetype index, const State &, keptbytes::Form *forms) const
    {
        const char16_t unit = text.at(index).unicode();
        int count = 0;
        if (keptbytes::isKept(unit) && unit >= keptbytes::unitOf(0x80)) {
            keptbytes::Form &form = forms[count++];
            form = {};
            form.addByte(keptbytes::byteOf(unit));
            form.addRead(unit);
        } else {
            quint8 units = 1;
            const char32_t codePoint = keptbytes::codePointAt(text, index, &units);
            if (!QChar::isSurrogate(codePoint)) {
                keptbytes::Form &form = forms[count++];
                form = {};
                form.units = units;
                addSequence(form, codePoint);
                if (keptbytes::isUnholdable(codePoint)) {
                    // read back as its kept bytes
                    for (int k = 0; k < form.byteCount; ++k)
                        form.addRead(keptbytes::unitOf(uchar(form.bytes[k])));
                } else {
                    for (qsizetype k = 0; k < units; ++k)
                        form.addRead(text.at(index + k).unicode());
                }
            }
        }
        return count;
    }

    keptbytes::Form reference(const QString &text, qsizetype index, const State &) const
    {
        return keptbytes::asciiReference(text, index);
    }

    static void addSequence(keptbytes::Form &form, char32_t codePoint)
    {
        if (codePoint < 0x80) {
            form.addByte(uchar(codePoint));
        } else if (codePoint < 0x800) {
            form.addByte(uchar(0xC0 | codePoint >> 6));
            form.addByte(uchar(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            form.addByte(uchar(0xE0 | codePoint >> 12));
            form.addByte(uchar(0x80 | (codePoint >> 6 & 0x3F)));
            form.addByte(uchar(0x80 | (codePoint & 0x3F)));
        } else {
            form.addByte(uchar(0xF0 | codePoint >> 18));
            form.addByte(uchar(0x80 | (codePoint >> 12 & 0x3F)));
            form.addByte(uchar(0x80 | (codePoint >> 6 & 0x3F)));
            form.addByte(uchar(0x80 | (codePoint & 0x3F)));
        }
    }
};

// UTF-16 without a byte-order mark for the read-back writer. A unit that is a lone surrogate,
// or a character the text control cannot hold, is kept as its two bytes, and an odd last byte
// is kept: the text then holds no lone high surrogate, and a unit U+DC00..U+DCFF not after a
// high surrogate is always a kept byte.
struct Utf16Codec
{
    struct State
    {};
    static constexpr int maxUnits = 2;

    bool bigEndian = false;

    char16_t unitAt(const char *at) const
    {
        return bigEndian ? qFromBigEndian<char16_t>(at) : qFromLittleEndian<char16_t>(at);
    }

    qsizetype read(QByteArrayView bytes, qsizetype pos, State &, char16_t *units, int &count,
                   qsizetype &looked) const
    {
        const char *in = bytes.data();
        looked = 2;
        if (pos + 1 >= bytes.size()) {
            units[0] = keptbytes::unitOf(uchar(in[pos]));
            count = 1;
            return 1;
        }
        const char16_t unit = unitAt(in + pos);
        if (QChar::isHighSurrogate(unit))
            looked = 4;
        if (QChar::isHighSurrogate(unit) && pos + 3 < bytes.size()
            && QChar::isLowSurrogate(unitAt(in + pos + 2))) {
            units[0] = unit;
            units[1] = unitAt(in + pos + 2);
            count = 2;
            return 4;
        }
        if (QChar::isSurrogate(unit) || keptbytes::isUnholdable(unit)) {
            units[0] = keptbytes::unitOf(uchar(in[pos]));
            units[1] = keptbytes::unitOf(uchar(in[pos + 1]));
            count = 2;
            return 2;
        }
        units[0] = unit;
        count = 1;
        return 2;
    }

    // A surrogate pair: its two units. A kept byte: the byte. Another character: its unit (a
    // lone surrogate has none).
    int forms(const QString &text, qsizetype index, const State &, keptbytes::Form *forms) const
    {
        const char16_t unit = text.at(index).unicode();
        int count = 0;
        const bool pair = QChar::isHighSurrogate(unit) && index + 1 < text.size()
                          && text.at(index + 1).isLowSurrogate();
        if (pair) {
            keptbytes::Form &form = forms[count++];
            form = {};
            form.units = 2;
            addUnit(form, unit);
            addUnit(form, text.at(index + 1).unicode());
            form.addRead(unit);
            form.addRead(text.at(index + 1).unicode());
        } else if (keptbytes::isKept(unit)) {
            keptbytes::Form &form = forms[count++];
            form = {};
            form.addByte(keptbytes::byteOf(unit));
            form.addRead(unit);
        } else if (!QChar::isSurrogate(unit)) {
            keptbytes::Form &form = forms[count++];
            form = {};
            addUnit(form, unit);
            if (keptbytes::isUnholdable(unit)) {
                form.addRead(keptbytes::unitOf(uchar(form.bytes[0])));
                form.addRead(keptbytes::unitOf(uchar(form.bytes[1])));
            } else {
                form.addRead(unit);
            }
        }
        return count;
    }

    // Its characters as UTF-16 units.
    keptbytes::Form reference(const QString &text, qsizetype index, const State &) const
    {
        keptbytes::Form form;
        form.reference = true;
        char ascii[10];
        const int length
            = keptbytes::referenceText(keptbytes::codePointAt(text, index, &form.units), ascii);
        for (int k = 0; k < length; ++k) {
            addUnit(form, char16_t(ascii[k]));
            form.addRead(char16_t(ascii[k]));
        }
        return form;
    }

    void addUnit(keptbytes::Form &form, char16_t unit) const
    {
        char bytes[2];
        if (bigEndian)
            qToBigEndian(unit, bytes);
        else
            qToLittleEndian(unit, bytes);
        form.addBytes(QByteArrayView(bytes, 2));
    }
};

} // namespace

QString decodeUtf8(QByteArrayView bytes)
{
    return keptbytes::readAll(Utf8Codec(), bytes);
}

bool isValidUtf8Prefix(QByteArrayView bytes)
{
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        bool cutOff = false;
        const int length = sequenceLength(in, bytes.size(), i, &codePoint, &cutOff);
        if (length == 0)
            return cutOff;
        i += length;
    }
    return true;
}

QByteArray encodeUtf8(const QString &text, EncodeReport *report)
{
    return keptbytes::writeReadingBack(Utf8Codec(), text, report);
}

QString decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    return keptbytes::readAll(Utf16Codec{bigEndian}, bytes);
}

QByteArray encodeUtf16(const QString &text, bool bigEndian, EncodeReport *report)
{
    return keptbytes::writeReadingBack(Utf16Codec{bigEndian}, text, report);
}
