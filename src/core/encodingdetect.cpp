#include "core/encodingcodecs.h"
#include "core/encodings.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <optional>
#include <uchardet.h>

namespace {

constexpr qsizetype detectionPrefix = 64 * 1024; // enough for any judgement, cheap for big files
constexpr qsizetype metaPrefix = 4 * 1024;

} // namespace

std::optional<TextEncoding> encodingOfMark(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::Utf8Bom;
    if (bytes.startsWith("\xFF\xFE"))
        return TextEncoding::Utf16LeBom;
    if (bytes.startsWith("\xFE\xFF"))
        return TextEncoding::Utf16BeBom;
    return std::nullopt;
}

std::optional<TextEncoding> encodingNamed(QByteArray name)
{
    name = name.toLower();
    if (name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "x-sjis"
        || name == "windows-31j" || name == "cp932" || name == "ms_kanji")
        return TextEncoding::ShiftJis;
    if (name == "euc-jp" || name == "x-euc-jp" || name == "eucjp")
        return TextEncoding::EucJp;
    if (name == "iso-2022-jp" || name == "csiso2022jp")
        return TextEncoding::Iso2022Jp;
    if (name == "utf-8" || name == "utf8")
        return TextEncoding::Utf8;
    return std::nullopt;
}

std::optional<TextEncoding> encodingOfMeta(QByteArrayView bytes)
{
    static const QRegularExpression meta(
        QStringLiteral(R"(<meta\b[^>]*?\bcharset\s*=\s*["']?\s*([A-Za-z0-9_.:-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    // Latin-1 keeps every byte as one character, whatever the encoding really is.
    const QString head = QString::fromLatin1(bytes.first(qMin(bytes.size(), metaPrefix)));
    const QRegularExpressionMatch match = meta.match(head);
    if (!match.hasMatch())
        return std::nullopt;
    return encodingNamed(match.captured(1).toLatin1());
}

namespace {

bool hasByteAbove7Bits(QByteArrayView bytes)
{
    for (char byte : bytes)
        if (uchar(byte) >= 0x80)
            return true;
    return false;
}

// Where the first byte that is not plain ASCII (a byte above 7 bits or an escape) is; -1 when
// there is none.
qsizetype firstNonAscii(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (uchar(bytes[i]) >= 0x80 || bytes[i] == '\x1B')
            return i;
    return -1;
}

// Whether the bytes are UTF-8 throughout. A sequence cut off at the end counts only when the
// file goes on after them.
bool isUtf8(QByteArrayView bytes, bool cutOff)
{
    if (cutOff)
        return isValidUtf8Prefix(bytes);
    // Any byte after a cut-off sequence breaks it; an ASCII byte breaks nothing else.
    return isValidUtf8Prefix(bytes.toByteArray() + 'a');
}

// UTF-16 without a byte-order mark: the ASCII characters of a page leave a NUL on every other
// byte, odd ones in little-endian order, even ones in big-endian order. Text in the other
// encodings holds no NUL at all.
std::optional<TextEncoding> utf16ByNuls(QByteArrayView bytes)
{
    const qsizetype units = bytes.size() / 2;
    qsizetype oddNuls = 0;  // a NUL after a byte that is not: little-endian ASCII
    qsizetype evenNuls = 0; // a NUL before a byte that is not: big-endian ASCII
    qsizetype bothNul = 0;
    for (qsizetype n = 0; n < units; ++n) {
        const bool first = bytes[2 * n] == '\0';
        const bool second = bytes[2 * n + 1] == '\0';
        if (first && second)
            ++bothNul;
        else if (second)
            ++oddNuls;
        else if (first)
            ++evenNuls;
    }
    // Most units of an HTML page are markup; Japanese prose has at least its line breaks and
    // blanks. U+0000 itself is rare in text.
    auto pattern = [&](qsizetype nuls, qsizetype others) {
        return nuls > 0 && nuls * 16 >= units && nuls >= 4 * others && bothNul * 8 <= units;
    };
    if (pattern(oddNuls, evenNuls))
        return TextEncoding::Utf16LeBom;
    if (pattern(evenNuls, oddNuls))
        return TextEncoding::Utf16BeBom;
    return std::nullopt;
}

qsizetype keptUnits(const QString &text)
{
    return std::count_if(text.begin(), text.end(), [](QChar unit) {
        return unit.unicode() >= 0xDC00 && unit.unicode() <= 0xDCFF;
    });
}

// uchardet's answer for the bytes: one of the encodings here, or none.
std::optional<TextEncoding> uchardetAnswer(QByteArrayView bytes)
{
    const std::unique_ptr<uchardet, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), size_t(bytes.size())) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    return encodingNamed(QByteArray(uchardet_get_charset(detector.get())));
}

// The text of the bytes in `encoding` when no more than a few bytes are kept (a stray byte at
// a line end, a character cut off by an editor); UTF-8 must read cleanly, as broken UTF-8 is
// more likely another encoding.
std::optional<QString> readableIn(QByteArrayView bytes, TextEncoding encoding)
{
    QString text = decodeText(bytes.toByteArray(), encoding);
    const qsizetype kept = keptUnits(text);
    const qsizetype nonAscii
        = std::count_if(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) >= 0x80; });
    if (kept > (encoding == TextEncoding::Utf8 ? 0 : 2 + nonAscii / 64))
        return std::nullopt;
    return text;
}

// uchardet's guess among the Japanese encodings, taken when the bytes read in it with a few
// kept bytes at most. A stray byte early in a page can make uchardet give up on the right
// encoding: an encoding that reads the bytes with a few kept bytes is taken when uchardet
// names it once those bytes are left out.
std::optional<TextEncoding> guessedEncoding(QByteArrayView bytes, bool cutOff)
{
    // A character cut off at the end of the bytes looked at is not held against a guess.
    const QByteArrayView whole
        = bytes.first(bytes.size() - (cutOff ? qMin<qsizetype>(bytes.size(), 3) : 0));
    const std::optional<TextEncoding> guess = uchardetAnswer(bytes);
    if (guess && readableIn(whole, *guess))
        return guess;
    for (TextEncoding candidate :
         {TextEncoding::EucJp, TextEncoding::ShiftJis, TextEncoding::Iso2022Jp}) {
        if (candidate == guess)
            continue;
        std::optional<QString> text = readableIn(whole, candidate);
        if (!text || keptUnits(*text) == 0)
            continue;
        text->removeIf(
            [](QChar unit) { return unit.unicode() >= 0xDC00 && unit.unicode() <= 0xDCFF; });
        if (uchardetAnswer(encodeText(*text, candidate)) == candidate)
            return candidate;
    }
    return std::nullopt;
}

} // namespace

TextEncoding detectEncoding(const QByteArray &bytes)
{
    const QByteArrayView all(bytes);
    const QByteArrayView head = all.first(qMin(all.size(), detectionPrefix));
    if (const auto marked = encodingOfMark(head))
        return *marked;
    if (const auto utf16 = utf16ByNuls(head))
        return *utf16;
    // A page whose head is plain ASCII (a long script, say) is judged where its first other
    // byte is.
    QByteArrayView judged = head;
    if (!hasByteAbove7Bits(head) && !head.contains('\x1B')) {
        const qsizetype first = firstNonAscii(all);
        if (first >= 0)
            judged = all.sliced(first, qMin(all.size() - first, detectionPrefix));
    }
    const qsizetype judgedEnd = judged.data() - all.data() + judged.size();
    const bool cutOff = judgedEnd < all.size();
    // A page that says it is UTF-8 is believed unless its bytes say otherwise; one cut off in
    // the middle of its last character still is.
    const bool claimableUtf8 = isValidUtf8Prefix(head) && isValidUtf8Prefix(judged);
    if (const auto named = encodingOfMeta(head);
        named && (*named != TextEncoding::Utf8 || claimableUtf8))
        return *named;
    const bool validUtf8 = isUtf8(head, head.size() < all.size()) && isUtf8(judged, cutOff);
    const bool sevenBit = !hasByteAbove7Bits(judged);
    if (sevenBit && !judged.contains('\x1B'))
        return TextEncoding::ShiftJis; // pure ASCII
    if (validUtf8 && !sevenBit)
        return TextEncoding::Utf8;
    return guessedEncoding(judged, cutOff).value_or(TextEncoding::ShiftJis);
}
