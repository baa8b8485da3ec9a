#include "core/codec.h"

#include "core/readbackwriter.h"

#include <QHash>
#include <QList>
#include <QSysInfo>

#include <array>
#include <bitset>
#include <iconv.h>
#include <memory>

namespace {

// A byte that cannot be read becomes the lone low surrogate 0xDC00 + byte. The bytes
// 0xA1..0xDF always read as half-width katakana, so their units are never produced and are
// not written back as bytes either (they would read back as katakana).
constexpr char16_t reservedBase = 0xDC00;
constexpr char16_t noCharacter = 0xFFFF; // never the result of a code page 932 code

bool isReserved(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF && !(unit >= 0xDCA1 && unit <= 0xDCDF);
}

bool isLeadByte(int byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const char *utf16Name()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

// Converts one code at a time through iconv; yields nothing for input iconv refuses or that
// does not give exactly one result.
class OneCodeConverter
{
public:
    OneCodeConverter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~OneCodeConverter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    OneCodeConverter(const OneCodeConverter &) = delete;
    OneCodeConverter &operator=(const OneCodeConverter &) = delete;

    bool valid() const { return m_cd != iconv_t(-1); }

    // `in` converted into at most `outSize` bytes; the number of bytes written, or -1.
    int convert(const char *in, size_t inSize, char *out, size_t outSize)
    {
        if (!valid())
            return -1;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *outPos = out;
        size_t outLeft = outSize;
        const size_t result = iconv(m_cd, const_cast<char **>(&in), &inSize, &outPos, &outLeft);
        if (result == size_t(-1) || inSize != 0)
            return -1;
        return int(outPos - out);
    }

private:
    iconv_t m_cd;
};

// Code page 932 as glibc's iconv "CP932" has it, asked once code by code and kept in tables, so
// a whole document converts at memory speed. The converter is stateless: what a byte or a byte
// pair means never depends on what came before, so the tables convert exactly as iconv does.
struct Cp932Tables
{
    std::array<char16_t, 0x100> single;  // byte → character, or noCharacter
    std::array<char16_t, 0x10000> pair;  // lead << 8 | trail → character, or noCharacter
    std::bitset<0x10000> encodable;      // characters written back as a code
    std::array<quint16, 0x10000> code{}; // their code: below 0x100 one byte, else two
    // The other codes of characters that more than one code reads as (rows 0x87, 0xED, 0xEE,
    // 0xFA..0xFC), for where the usual code would pair with a kept byte before it.
    QHash<char16_t, QList<quint16>> otherCodes;
    std::bitset<0x10000> hasOtherCodes;
};

// What Linux input methods type where Windows has the code page's own form: written as the
// code that Windows users type them with, so they read back as that form (U+301C as 0x8160,
// which reads as U+FF5E). U+00A5 and U+203E stay references: their bytes 0x5C and 0x7E would
// read back as backslash and tilde.
struct LookAlike
{
    char16_t character;
    quint16 code;
};
constexpr LookAlike lookAlikes[] = {
    {0x301C, 0x8160}, // wave dash
    {0x2016, 0x8161}, // double vertical line
    {0x2212, 0x817C}, // minus sign
    {0x00A2, 0x8191}, // cent sign
    {0x00A3, 0x8192}, // pound sign
    {0x00AC, 0x81CA}, // not sign
    {0x2014, 0x815C}, // em dash
};

std::unique_ptr<Cp932Tables> buildTables()
{
    auto tables = std::make_unique<Cp932Tables>();
    tables->single.fill(noCharacter);
    tables->pair.fill(noCharacter);
    OneCodeConverter decoder(utf16Name(), "CP932");
    OneCodeConverter encoder("CP932", utf16Name());
    auto decodeCode = [&decoder](const char *code, size_t size) {
        char16_t result[2];
        const int written
            = decoder.convert(code, size, reinterpret_cast<char *>(result), sizeof result);
        return written == 2 ? result[0] : noCharacter;
    };
    for (int byte = 0; byte < 0x100; ++byte) {
        const char code[1] = {char(byte)};
        tables->single[byte] = decodeCode(code, 1);
        if (byte < 0x80 && tables->single[byte] == noCharacter)
            tables->single[byte] = char16_t(byte); // bytes below 0x80 always read as themselves
    }
    for (int lead = 0; lead < 0x100; ++lead) {
        if (!isLeadByte(lead))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char code[2] = {char(lead), char(trail)};
            tables->pair[lead << 8 | trail] = decodeCode(code, 2);
        }
    }
    // A character is written as the code iconv gives it, if that code reads back as the same
    // character. iconv also maps some look-alikes one way (U+00A5 to 0x5C, U+301C to 0x8160)
    // and drops the tag characters U+E0000..; those are written as references instead.
    auto addEncodable = [&](char16_t character) {
        if (character == noCharacter || tables->encodable.test(character))
            return;
        char bytes[4];
        const int size
            = encoder.convert(reinterpret_cast<const char *>(&character), 2, bytes, sizeof bytes);
        quint16 code;
        char16_t readBack;
        if (size == 1) {
            code = uchar(bytes[0]);
            readBack = tables->single[code];
        } else if (size == 2) {
            code = quint16(uchar(bytes[0]) << 8 | uchar(bytes[1]));
            readBack = tables->pair[code];
        } else {
            return;
        }
        if (readBack == character) {
            tables->encodable.set(character);
            tables->code[character] = code;
        }
    };
    for (int byte = 0; byte < 0x80; ++byte) {
        tables->encodable.set(byte);
        tables->code[byte] = quint16(byte);
    }
    for (char16_t character : tables->single)
        addEncodable(character);
    for (char16_t character : tables->pair)
        addEncodable(character);
    for (const LookAlike &lookAlike : lookAlikes) {
        if (tables->pair[lookAlike.code] == noCharacter
            || tables->encodable.test(lookAlike.character))
            continue;
        tables->encodable.set(lookAlike.character);
        tables->code[lookAlike.character] = lookAlike.code;
    }
    for (int code = 0; code < 0x10000; ++code) {
        const char16_t character = tables->pair[code];
        if (character != noCharacter && tables->encodable.test(character)
            && tables->code[character] != code) {
            tables->otherCodes[character].append(quint16(code));
            tables->hasOtherCodes.set(character);
        }
    }
    return tables;
}

const Cp932Tables &tables()
{
    static const std::unique_ptr<Cp932Tables> instance = buildTables();
    return *instance;
}

// Code page 932 for the read-back writer: a byte, or a lead byte and the byte after it.
struct Cp932Codec
{
    struct State
    {};
    static constexpr int maxUnits = 1;

    const Cp932Tables &t = tables();

    qsizetype read(QByteArrayView bytes, qsizetype pos, State &, char16_t *units, int &count,
                   qsizetype &looked) const
    {
        const uchar byte = uchar(bytes[pos]);
        count = 1;
        looked = 1;
        if (const char16_t single = t.single[byte]; single != noCharacter) {
            units[0] = single;
            return 1;
        }
        looked = 2;
        if (pos + 1 < bytes.size()) {
            if (const char16_t pair = t.pair[byte << 8 | uchar(bytes[pos + 1])];
                pair != noCharacter) {
                units[0] = pair;
                return 2;
            }
        }
        // unassigned, invalid or cut off at the end: keep the byte
        units[0] = char16_t(reservedBase + byte);
        return 1;
    }

    // A character the code page holds: its code, then its other codes (for where the usual one
    // would pair with a kept lead byte before it). A kept byte: the byte.
    int forms(const QString &text, qsizetype index, const State &, keptbytes::Form *forms) const
    {
        const char16_t unit = text.at(index).unicode();
        int count = 0;
        auto addCode = [&](quint16 code) {
            keptbytes::Form &form = forms[count++];
            form = {};
            if (code >= 0x100) {
                form.addByte(uchar(code >> 8));
                form.addRead(t.pair[code]);
            } else {
                form.addRead(t.single[code]);
            }
            form.addByte(uchar(code));
        };
        if (t.encodable.test(unit)) {
            addCode(t.code[unit]);
            if (t.hasOtherCodes.test(unit))
                for (quint16 other : t.otherCodes.value(unit))
                    if (count < keptbytes::maxForms - 1)
                        addCode(other);
        } else if (isReserved(unit)) {
            keptbytes::Form &form = forms[count++];
            form = {};
            form.addByte(uchar(unit - reservedBase));
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

QString decodeCp932(const QByteArray &bytes)
{
    return keptbytes::readAll(Cp932Codec(), bytes);
}

QByteArray encodeCp932(const QString &text, EncodeReport *report)
{
    return keptbytes::writeReadingBack(Cp932Codec(), text, report);
}
