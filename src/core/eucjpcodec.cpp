#include "core/encodingcodecs.h"
#include "core/jistables.h"
#include "core/keptbytes.h"
#include "core/readbackwriter.h"

namespace {

// EUC-JP for the read-back writer: ASCII, two-byte codes (0x8E or 0xA1..0xFE first) and
// three-byte codes (0x8F first).
struct EucJpCodec
{
    struct State
    {};
    static constexpr int maxUnits = 1;

    const JisTables &t = jisTables();

    qsizetype read(QByteArrayView bytes, qsizetype pos, State &, char16_t *units, int &count,
                   qsizetype &looked) const
    {
        const auto *in = reinterpret_cast<const uchar *>(bytes.data());
        const uchar byte = in[pos];
        count = 1;
        looked = 1;
        if (byte < 0x80) {
            units[0] = byte;
            return 1;
        }
        char16_t character = JisTables::none;
        qsizetype used = 1;
        looked = byte == 0x8F ? 3 : 2;
        if (byte == 0x8F && pos + 2 < bytes.size()) {
            character = t.threeByte[in[pos + 1] << 8 | in[pos + 2]];
            used = 3;
        } else if (pos + 1 < bytes.size()) {
            character = t.twoByte[byte << 8 | in[pos + 1]];
            used = 2;
        }
        if (character == JisTables::none) {
            units[0] = keptbytes::unitOf(byte);
            return 1;
        }
        units[0] = character;
        return used;
    }

    int forms(const QString &text, qsizetype index, const State &, keptbytes::Form *forms) const
    {
        const char16_t unit = text.at(index).unicode();
        int count = 0;
        if (unit < 0x80 || (keptbytes::isKept(unit) && unit >= keptbytes::unitOf(0x80))) {
            keptbytes::Form &form = forms[count++];
            form = {};
            form.addByte(unit < 0x80 ? uchar(unit) : keptbytes::byteOf(unit));
            form.addRead(unit);
        } else if (const auto code = t.eucCode.constFind(unit); code != t.eucCode.cend()) {
            keptbytes::Form &form = forms[count++];
            form = {};
            if (code.value() > 0xFFFF)
                form.addByte(uchar(code.value() >> 16));
            form.addByte(uchar(code.value() >> 8));
            form.addByte(uchar(code.value()));
            form.addRead(unit);
        }
        return count;
    }

    keptbytes::Form reference(const QString &text, qsizetype index, const State &) const
    {
        return keptbytes::asciiReference(text, index);
    }
};

} // namespace

QString decodeEucJp(const QByteArray &bytes)
{
    return keptbytes::readAll(EucJpCodec(), bytes);
}

QByteArray encodeEucJp(const QString &text, EncodeReport *report)
{
    return keptbytes::writeReadingBack(EucJpCodec(), text, report);
}
