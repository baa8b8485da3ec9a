#include "core/encodingcodecs.h"
#include "core/jistables.h"
#include "core/keptbytes.h"
#include "core/readbackwriter.h"

#include <array>
#include <optional>

// The escape sequences a writer of this encoding emits are not part of the text: the encoder
// emits ESC ( B, ESC ( J, ESC ( I or ESC $ B just before a character the current set cannot
// hold. The decoder leaves out exactly the escapes the encoder would write there again, and
// keeps every other escape (ESC $ @, a repeated escape, a final switch back to ASCII, a lone
// ESC) as reserved units, whose bytes the encoder writes back and follows. Kept bytes next to
// edited text can read otherwise (an ESC and two typed characters make an escape, a 7-bit byte
// kept in a two-byte set reads as ASCII after a switch): the read-back writer finds those and
// writes the character as a reference instead. ESC itself has a reference only.

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
constexpr uchar esc = 0x1B;

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
    if (bytes.size() - i < escapeLength || uchar(bytes[i]) != esc)
        return std::nullopt;
    const QByteArrayView rest = bytes.sliced(i, escapeLength);
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

// The bytes of `character` in `set` into `code`; gives their number, 0 when the set cannot
// hold it. ESC is held by none: the reader takes it for the start of an escape or keeps it.
int codeIn(CharacterSet set, char16_t character, uchar *code)
{
    switch (set) {
    case CharacterSet::Ascii:
        if (character >= 0x80 || character == esc)
            return 0;
        code[0] = uchar(character);
        return 1;
    case CharacterSet::Roman:
        if (character == 0x00A5) {
            code[0] = 0x5C;
            return 1;
        }
        if (character == 0x203E) {
            code[0] = 0x7E;
            return 1;
        }
        if (character >= 0x80 || character == esc || character == 0x5C || character == 0x7E)
            return 0;
        code[0] = uchar(character);
        return 1;
    case CharacterSet::Katakana:
        if (character < 0xFF61 || character > 0xFF9F)
            return 0;
        code[0] = uchar(character - 0xFF61 + 0x21);
        return 1;
    case CharacterSet::Jis0208:
    case CharacterSet::Jis1978: {
        if (character < 0x80)
            return 0;
        const auto found = jisTables().eucCode.constFind(character);
        if (found == jisTables().eucCode.cend() || found.value() > 0xFFFF
            || (found.value() >> 8) < 0xA1)
            return 0;
        code[0] = uchar((found.value() >> 8) & 0x7F);
        code[1] = uchar(found.value() & 0x7F);
        return 2;
    }
    }
    return 0;
}

bool holds(CharacterSet set, char16_t character)
{
    uchar code[2];
    return codeIn(set, character, code) > 0;
}

// The set the encoder switches to for a character: ASCII for ASCII, JIS X 0201 Roman for the
// yen sign and overline, katakana for half-width katakana, JIS X 0208 for the rest it holds.
std::optional<CharacterSet> setFor(char16_t character)
{
    for (CharacterSet set :
         {CharacterSet::Ascii, CharacterSet::Roman, CharacterSet::Katakana, CharacterSet::Jis0208})
        if (holds(set, character))
            return set;
    return std::nullopt;
}

struct Item
{
    enum Kind { End, Character, Kept, EscapeSequence } kind = End;
    char16_t character = 0;
    qsizetype length = 0;
    qsizetype looked = 1; // bytes that decided it, those looked for past the end included
    CharacterSet escapeTo = CharacterSet::Ascii;
};

// What the bytes at `i` are in `set`.
Item itemAt(QByteArrayView bytes, qsizetype i, CharacterSet set)
{
    if (i >= bytes.size())
        return {Item::End, 0, 0, 1};
    const uchar byte = uchar(bytes[i]);
    if (byte == esc) {
        if (const auto to = escapeAt(bytes, i))
            return {Item::EscapeSequence, 0, escapeLength, escapeLength, *to};
        return {Item::Kept, keptbytes::unitOf(byte), 1, escapeLength};
    }
    switch (set) {
    case CharacterSet::Ascii:
        if (byte < 0x80)
            return {Item::Character, byte, 1};
        break;
    case CharacterSet::Roman:
        if (byte == 0x5C)
            return {Item::Character, 0x00A5, 1};
        if (byte == 0x7E)
            return {Item::Character, 0x203E, 1};
        if (byte < 0x80)
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
                return {Item::Character, c, 2, 2};
        }
        return {Item::Kept, keptbytes::unitOf(byte), 1, 2};
    }
    return {Item::Kept, keptbytes::unitOf(byte), 1};
}

// ISO-2022-JP for the read-back writer. The reader carries the current set.
struct Iso2022JpCodec
{
    struct State
    {
        CharacterSet set = CharacterSet::Ascii;
    };
    static constexpr int maxUnits = escapeLength;

    qsizetype read(QByteArrayView bytes, qsizetype pos, State &state, char16_t *units, int &count,
                   qsizetype &looked) const
    {
        const Item item = itemAt(bytes, pos, state.set);
        if (item.kind != Item::EscapeSequence) {
            units[0] = item.character;
            count = 1;
            looked = item.looked;
            return item.length;
        }
        // Left out when the encoder would write this escape right here again.
        const Item next = itemAt(bytes, pos + item.length, item.escapeTo);
        looked = item.length + next.looked;
        const bool implied = next.kind == Item::Character && !holds(state.set, next.character)
                             && setFor(next.character) == item.escapeTo;
        count = 0;
        if (!implied)
            for (qsizetype k = 0; k < item.length; ++k)
                units[count++] = keptbytes::unitOf(uchar(bytes[pos + k]));
        state.set = item.escapeTo;
        return item.length;
    }

    // A kept byte: the byte (a kept escape whole first). A character: its code in the current
    // set, or an escape to the set that holds it and its code there.
    int forms(const QString &text, qsizetype index, const State &state,
              keptbytes::Form *forms) const
    {
        const char16_t unit = text.at(index).unicode();
        int count = 0;
        uchar code[2];
        int length = 0;
        if (keptbytes::isKept(unit)) {
            // A kept escape goes whole: its first bytes alone read otherwise ("(" after ESC is
            // a character, not a kept byte).
            if (keptbytes::byteOf(unit) == esc && index + escapeLength <= text.size()) {
                keptbytes::Form form;
                form.units = escapeLength;
                for (qsizetype k = 0; k < escapeLength; ++k) {
                    const char16_t next = text.at(index + k).unicode();
                    if (!keptbytes::isKept(next))
                        break;
                    form.addByte(keptbytes::byteOf(next));
                    form.addRead(next);
                }
                if (form.byteCount == escapeLength
                    && escapeAt(QByteArrayView(form.bytes.data(), form.byteCount), 0))
                    forms[count++] = form;
            }
            keptbytes::Form &form = forms[count++];
            form = {};
            form.addByte(keptbytes::byteOf(unit));
            form.addRead(unit);
        } else if (length = codeIn(state.set, unit, code); length > 0) {
            keptbytes::Form &form = forms[count++];
            form = {};
            form.addBytes(QByteArrayView(code, length));
            form.addRead(unit);
        } else if (const auto to = setFor(unit)) {
            length = codeIn(*to, unit, code);
            keptbytes::Form &form = forms[count++];
            form = {};
            form.addBytes(escapeOf(*to).bytes);
            form.addBytes(QByteArrayView(code, length));
            form.addRead(unit);
        }
        return count;
    }

    // In ASCII; JIS X 0201 Roman holds all of its characters as well, so no escape there.
    keptbytes::Form reference(const QString &text, qsizetype index, const State &state) const
    {
        const bool asciiHeld = state.set == CharacterSet::Ascii || state.set == CharacterSet::Roman;
        return keptbytes::asciiReference(text, index,
                                         asciiHeld ? "" : escapeOf(CharacterSet::Ascii).bytes);
    }
};

} // namespace

QString decodeIso2022Jp(const QByteArray &bytes)
{
    return keptbytes::readAll(Iso2022JpCodec(), bytes);
}

QByteArray encodeIso2022Jp(const QString &text, EncodeReport *report)
{
    return keptbytes::writeReadingBack(Iso2022JpCodec(), text, report);
}
