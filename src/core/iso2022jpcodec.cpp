#include "core/encodingcodecs.h"
#include "core/jistables.h"
#include "core/keptbytes.h"

#include <array>
#include <optional>

// The escape sequences a writer of this encoding emits are not part of the text: the encoder
// emits ESC ( B, ESC ( J, ESC ( I or ESC $ B just before a character the current set cannot
// hold. The decoder leaves out exactly the escapes the encoder would write there again, and
// keeps every other escape (ESC $ @, a repeated escape, a final switch back to ASCII, a lone
// ESC) as reserved units, whose bytes the encoder writes back and follows.

namespace {

enum class CharacterSet { Ascii, Roman, Katakana, Jis0208, Jis1978 };

struct Escape
{
    const char *bytes;
    CharacterSet set;
};
constexpr std::array<Escape, 5> escapes = {{
    {"\x1B(B", CharacterSet::Ascii},
    {"\x1B(J", CharacterSet::Roman},
    {"\x1B(I", CharacterSet::Katakana},
    {"\x1B$B", CharacterSet::Jis0208},
    {"\x1B$@", CharacterSet::Jis1978},
}};
constexpr qsizetype escapeLength = 3;

const Escape &escapeOf(CharacterSet set)
{
    for (const Escape &escape : escapes)
        if (escape.set == set)
            return escape;
    return escapes[0];
}

// The escape sequence starting at `i`, if any.
std::optional<CharacterSet> escapeAt(QByteArrayView bytes, qsizetype i)
{
    const QByteArrayView rest = bytes.sliced(i, qMin(escapeLength, bytes.size() - i));
    for (const Escape &escape : escapes)
        if (rest == QByteArrayView(escape.bytes))
            return escape.set;
    return std::nullopt;
}

bool isJisByte(uchar byte)
{
    return byte >= 0x21 && byte <= 0x7E;
}

// The JIS X 0208 character of a row/cell pair, or none.
char16_t jisCharacter(uchar first, uchar second)
{
    if (!isJisByte(first) || !isJisByte(second))
        return JisTables::none;
    return jisTables().twoByte[(first | 0x80) << 8 | (second | 0x80)];
}

// The bytes of `character` in `set`, empty when the set cannot hold it.
QByteArray bytesIn(CharacterSet set, char16_t character)
{
    switch (set) {
    case CharacterSet::Ascii:
        return character < 0x80 ? QByteArray(1, char(character)) : QByteArray();
    case CharacterSet::Roman:
        if (character == 0x00A5)
            return "\x5C";
        if (character == 0x203E)
            return "\x7E";
        return character < 0x80 && character != 0x5C && character != 0x7E ? QByteArray(1, char(character))
                                                                          : QByteArray();
    case CharacterSet::Katakana:
        return character >= 0xFF61 && character <= 0xFF9F ? QByteArray(1, char(character - 0xFF61 + 0x21))
                                                           : QByteArray();
    case CharacterSet::Jis0208:
    case CharacterSet::Jis1978: {
        const auto code = jisTables().eucCode.constFind(character);
        if (code == jisTables().eucCode.cend() || code.value() > 0xFFFF || (code.value() >> 8) < 0xA1)
            return {};
        return QByteArray(1, char((code.value() >> 8) & 0x7F)) + char(code.value() & 0x7F);
    }
    }
    return {};
}

// The set the encoder switches to for a character: ASCII for ASCII, JIS X 0201 Roman for the
// yen sign and overline, katakana for half-width katakana, JIS X 0208 for the rest it holds.
std::optional<CharacterSet> setFor(char16_t character)
{
    for (CharacterSet set : {CharacterSet::Ascii, CharacterSet::Roman, CharacterSet::Katakana, CharacterSet::Jis0208})
        if (!bytesIn(set, character).isEmpty())
            return set;
    return std::nullopt;
}

struct Item
{
    enum Kind { End, Character, Kept, EscapeSequence } kind = End;
    char16_t character = 0;
    qsizetype length = 0;
    CharacterSet escapeTo = CharacterSet::Ascii;
};

// What the bytes at `i` are in `set`.
Item itemAt(QByteArrayView bytes, qsizetype i, CharacterSet set)
{
    if (i >= bytes.size())
        return {};
    const uchar byte = uchar(bytes[i]);
    if (const auto to = escapeAt(bytes, i))
        return {Item::EscapeSequence, 0, escapeLength, *to};
    switch (set) {
    case CharacterSet::Ascii:
        if (byte < 0x80 && byte != 0x1B)
            return {Item::Character, byte, 1};
        break;
    case CharacterSet::Roman:
        if (byte == 0x5C)
            return {Item::Character, 0x00A5, 1};
        if (byte == 0x7E)
            return {Item::Character, 0x203E, 1};
        if (byte < 0x80 && byte != 0x1B)
            return {Item::Character, byte, 1};
        break;
    case CharacterSet::Katakana:
        if (byte >= 0x21 && byte <= 0x5F)
            return {Item::Character, char16_t(0xFF61 + byte - 0x21), 1};
        break;
    case CharacterSet::Jis0208:
    case CharacterSet::Jis1978:
        if (i + 1 < bytes.size()) {
            if (const char16_t c = jisCharacter(byte, uchar(bytes[i + 1])); c != JisTables::none)
                return {Item::Character, c, 2};
        }
        break;
    }
    return {Item::Kept, keptbytes::unitOf(byte), 1};
}

void appendKept(QString &text, QByteArrayView bytes)
{
    for (char byte : bytes)
        text += QChar(keptbytes::unitOf(uchar(byte)));
}

} // namespace

QString decodeIso2022Jp(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    CharacterSet set = CharacterSet::Ascii;
    for (qsizetype i = 0; i < bytes.size();) {
        const Item item = itemAt(bytes, i, set);
        if (item.kind == Item::EscapeSequence) {
            // Left out when the encoder would write this escape right here again.
            const Item next = itemAt(bytes, i + item.length, item.escapeTo);
            const bool implied = next.kind == Item::Character && bytesIn(set, next.character).isEmpty()
                                 && setFor(next.character) == item.escapeTo;
            if (!implied)
                appendKept(text, QByteArrayView(bytes).sliced(i, item.length));
            set = item.escapeTo;
        } else {
            text += QChar(item.character);
        }
        i += item.length;
    }
    return text;
}

QByteArray encodeIso2022Jp(const QString &text, EncodeReport *report)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    CharacterSet set = CharacterSet::Ascii;
    auto switchTo = [&](CharacterSet to) {
        if (set != to)
            out += escapeOf(to).bytes;
        set = to;
    };
    for (qsizetype i = 0; i < text.size();) {
        const char16_t unit = text.at(i).unicode();
        if (keptbytes::isKept(unit)) {
            out += char(keptbytes::byteOf(unit));
            // A kept escape sequence switches the set for what follows, as when it was read.
            if (out.size() >= escapeLength)
                if (const auto to = escapeAt(out, out.size() - escapeLength))
                    set = *to;
            ++i;
            continue;
        }
        if (QByteArray code = bytesIn(set, unit); !code.isEmpty()) {
            out += code;
            ++i;
        } else if (const auto to = setFor(unit)) {
            switchTo(*to);
            out += bytesIn(set, unit);
            ++i;
        } else {
            switchTo(CharacterSet::Ascii);
            i += keptbytes::appendReference(out, text, i, report);
        }
    }
    return out;
}
