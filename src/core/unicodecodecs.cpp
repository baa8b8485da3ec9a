#include "core/encodingcodecs.h"
#include "core/keptbytes.h"

#include <QtEndian>

namespace {

// The length of the well-formed UTF-8 sequence at `i` (no overlong forms, no surrogates,
// nothing above U+10FFFF), 0 when there is none; `*cutOff` tells whether the bytes end
// inside a sequence that could still be well-formed.
int sequenceLength(const uchar *in, qsizetype size, qsizetype i, char32_t *codePoint, bool *cutOff)
{
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

void appendUnit(QByteArray &out, char16_t unit, bool bigEndian)
{
    char bytes[2];
    if (bigEndian)
        qToBigEndian(unit, bytes);
    else
        qToLittleEndian(unit, bytes);
    out.append(bytes, 2);
}

} // namespace

QString decodeUtf8(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        bool cutOff = false;
        const int length = sequenceLength(in, bytes.size(), i, &codePoint, &cutOff);
        if (length == 0) {
            text += QChar(keptbytes::unitOf(in[i]));
            ++i;
            continue;
        }
        text += QChar::fromUcs4(codePoint);
        i += length;
    }
    return text;
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
    QByteArray out;
    out.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size();) {
        const char16_t unit = text.at(i).unicode();
        if (keptbytes::isKept(unit) && unit >= keptbytes::unitOf(0x80)) {
            out += char(keptbytes::byteOf(unit));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            const bool pair = QChar::isHighSurrogate(unit) && i + 1 < text.size()
                              && text.at(i + 1).isLowSurrogate();
            if (pair) {
                out += QStringView(text).mid(i, 2).toUtf8();
                i += 2;
            } else {
                i += keptbytes::appendReference(out, text, i, report);
            }
        } else {
            out += QStringView(text).mid(i, 1).toUtf8();
            ++i;
        }
    }
    return out;
}

// A unit of the data that is a lone surrogate is kept as its two bytes: the text then holds
// no lone high surrogate, and a unit U+DC00..U+DCFF not after a high surrogate is always a
// kept byte (an odd last byte among them).
QString decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    QString text;
    text.reserve(bytes.size() / 2 + 1);
    const char *in = bytes.data();
    const qsizetype units = bytes.size() / 2;
    auto unitAt = [&](qsizetype n) {
        return bigEndian ? qFromBigEndian<char16_t>(in + 2 * n) : qFromLittleEndian<char16_t>(in + 2 * n);
    };
    for (qsizetype n = 0; n < units; ++n) {
        const char16_t unit = unitAt(n);
        if (QChar::isHighSurrogate(unit) && n + 1 < units && QChar::isLowSurrogate(unitAt(n + 1))) {
            text += QChar(unit);
            text += QChar(unitAt(++n));
        } else if (QChar::isSurrogate(unit)) {
            text += QChar(keptbytes::unitOf(uchar(in[2 * n])));
            text += QChar(keptbytes::unitOf(uchar(in[2 * n + 1])));
        } else {
            text += QChar(unit);
        }
    }
    if (bytes.size() % 2 != 0)
        text += QChar(keptbytes::unitOf(uchar(bytes.back())));
    return text;
}

QByteArray encodeUtf16(const QString &text, bool bigEndian)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            appendUnit(out, unit, bigEndian);
            appendUnit(out, text.at(++i).unicode(), bigEndian);
        } else if (keptbytes::isKept(unit)) {
            out += char(keptbytes::byteOf(unit));
        } else {
            appendUnit(out, unit, bigEndian);
        }
    }
    return out;
}
