#include "core/encodingcodecs.h"
#include "core/encodings.h"

#include <QRegularExpression>

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

bool hasKeptBytes(const QString &text)
{
    for (QChar unit : text)
        if (unit.unicode() >= 0xDC00 && unit.unicode() <= 0xDCFF)
            return true;
    return false;
}

// uchardet's guess among the Japanese encodings, taken only when the bytes read cleanly in it.
std::optional<TextEncoding> guessedEncoding(QByteArrayView bytes, bool cutOff)
{
    const std::unique_ptr<uchardet, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), size_t(bytes.size())) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    const auto guess = encodingNamed(QByteArray(uchardet_get_charset(detector.get())));
    if (!guess)
        return std::nullopt;
    // A character cut off at the end of the prefix is not held against the guess.
    const QByteArray whole = bytes.first(bytes.size() - (cutOff ? qMin<qsizetype>(bytes.size(), 3) : 0)).toByteArray();
    if (hasKeptBytes(decodeText(whole, *guess)))
        return std::nullopt;
    return guess;
}

} // namespace

TextEncoding detectEncoding(const QByteArray &bytes)
{
    const QByteArrayView prefix = QByteArrayView(bytes).first(qMin(bytes.size(), detectionPrefix));
    if (const auto marked = encodingOfMark(prefix))
        return *marked;
    const bool validUtf8 = isValidUtf8Prefix(prefix);
    if (const auto named = encodingOfMeta(prefix); named && (*named != TextEncoding::Utf8 || validUtf8))
        return *named;
    const bool sevenBit = !hasByteAbove7Bits(prefix);
    if (sevenBit && !prefix.contains('\x1B'))
        return TextEncoding::ShiftJis; // pure ASCII
    if (validUtf8 && !sevenBit)
        return TextEncoding::Utf8;
    return guessedEncoding(prefix, prefix.size() < bytes.size()).value_or(TextEncoding::ShiftJis);
}
