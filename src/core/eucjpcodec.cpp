#include "core/encodingcodecs.h"
#include "core/jistables.h"
#include "core/keptbytes.h"

QString decodeEucJp(const QByteArray &bytes)
{
    const JisTables &t = jisTables();
    QString text;
    text.reserve(bytes.size());
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const uchar byte = in[i];
        if (byte < 0x80) {
            text += QChar(byte);
            ++i;
            continue;
        }
        char16_t character = JisTables::none;
        qsizetype used = 1;
        if (byte == 0x8F && i + 2 < size) {
            character = t.threeByte[in[i + 1] << 8 | in[i + 2]];
            used = 3;
        } else if (i + 1 < size) {
            character = t.twoByte[byte << 8 | in[i + 1]];
            used = 2;
        }
        if (character == JisTables::none) {
            character = keptbytes::unitOf(byte);
            used = 1;
        }
        text += QChar(character);
        i += used;
    }
    return text;
}

QByteArray encodeEucJp(const QString &text, EncodeReport *report)
{
    const JisTables &t = jisTables();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size();) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80) {
            out += char(unit);
        } else if (keptbytes::isKept(unit) && unit >= keptbytes::unitOf(0x80)) {
            out += char(keptbytes::byteOf(unit));
        } else if (const auto code = t.eucCode.constFind(unit); code != t.eucCode.cend()) {
            if (code.value() > 0xFFFF)
                out += char(code.value() >> 16);
            out += char(code.value() >> 8);
            out += char(code.value());
        } else {
            i += keptbytes::appendReference(out, text, i, report);
            continue;
        }
        ++i;
    }
    return out;
}
