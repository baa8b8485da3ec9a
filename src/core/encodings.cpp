#include "core/encodings.h"

#include "core/encodingcodecs.h"

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
const QByteArray utf16LeBom("\xFF\xFE");
const QByteArray utf16BeBom("\xFE\xFF");

// The bytes after the mark; bytes without it are taken whole.
QByteArrayView withoutMark(const QByteArray &bytes, const QByteArray &mark)
{
    return bytes.startsWith(mark) ? QByteArrayView(bytes).sliced(mark.size())
                                  : QByteArrayView(bytes);
}

} // namespace

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::ShiftJis: return QStringLiteral("Shift_JIS");
    case TextEncoding::EucJp: return QStringLiteral("EUC-JP");
    case TextEncoding::Iso2022Jp: return QStringLiteral("ISO-2022-JP");
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom: return QStringLiteral("UTF-8 (BOM)");
    case TextEncoding::Utf16LeBom: return QStringLiteral("UTF-16LE (BOM)");
    case TextEncoding::Utf16BeBom: return QStringLiteral("UTF-16BE (BOM)");
    }
    return {};
}

QString decodeText(const QByteArray &bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::ShiftJis: return decodeCp932(bytes);
    case TextEncoding::EucJp: return decodeEucJp(bytes);
    case TextEncoding::Iso2022Jp: return decodeIso2022Jp(bytes);
    case TextEncoding::Utf8: return decodeUtf8(bytes);
    case TextEncoding::Utf8Bom: return decodeUtf8(withoutMark(bytes, utf8Bom));
    case TextEncoding::Utf16LeBom: return decodeUtf16(withoutMark(bytes, utf16LeBom), false);
    case TextEncoding::Utf16BeBom: return decodeUtf16(withoutMark(bytes, utf16BeBom), true);
    }
    return {};
}

QByteArray encodeText(const QString &text, TextEncoding encoding, EncodeReport *report)
{
    if (report)
        *report = EncodeReport();
    switch (encoding) {
    case TextEncoding::ShiftJis: return encodeCp932(text, report);
    case TextEncoding::EucJp: return encodeEucJp(text, report);
    case TextEncoding::Iso2022Jp: return encodeIso2022Jp(text, report);
    case TextEncoding::Utf8: return encodeUtf8(text, report);
    case TextEncoding::Utf8Bom: return utf8Bom + encodeUtf8(text, report);
    case TextEncoding::Utf16LeBom: return utf16LeBom + encodeUtf16(text, false, report);
    case TextEncoding::Utf16BeBom: return utf16BeBom + encodeUtf16(text, true, report);
    }
    return {};
}
