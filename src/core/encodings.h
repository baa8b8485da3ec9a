#pragma once

#include "core/codec.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The encodings Japanese home pages come in. Every codec is lossless: a byte it cannot read
// becomes a reserved code unit (byte b becomes U+DC00 + b) and is written back as that byte,
// so decoding and encoding any byte sequence gives it back byte for byte.
enum class TextEncoding {
    ShiftJis,  // code page 932 (the codec of codec.h)
    EucJp,     // JIS X 0208 and 0212, NEC and IBM extensions as Windows writes them
    Iso2022Jp, // 7-bit with escape sequences
    Utf8,
    Utf8Bom,    // UTF-8 starting with EF BB BF
    Utf16LeBom, // UTF-16 starting with FF FE
    Utf16BeBom, // UTF-16 starting with FE FF
};

// Every encoding, in the order menus offer them.
inline constexpr TextEncoding textEncodings[] = {
    TextEncoding::ShiftJis, TextEncoding::EucJp,      TextEncoding::Iso2022Jp,  TextEncoding::Utf8,
    TextEncoding::Utf8Bom,  TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom,
};

// A short name for messages and tests ("Shift_JIS", "EUC-JP", ...).
QString encodingName(TextEncoding encoding);

// The byte-order mark of the BOM encodings is not part of the text: decoding drops it,
// encoding writes it.
QString decodeText(const QByteArray &bytes, TextEncoding encoding);
// Characters the encoding cannot hold are written as "&#xHHHH;" and counted in `report`.
QByteArray encodeText(const QString &text, TextEncoding encoding, EncodeReport *report = nullptr);

// The encoding of a file's bytes, judged from a bounded prefix: a byte-order mark; a meta
// charset in the first 4 KiB naming one of the encodings (a UTF-8 claim only when the bytes
// are valid UTF-8); valid UTF-8 with non-ASCII bytes; a confident statistical guess among
// Shift-JIS, EUC-JP, ISO-2022-JP and UTF-8; otherwise Shift-JIS, pure ASCII included.
TextEncoding detectEncoding(const QByteArray &bytes);

// The encoding a byte-order mark at the start of `bytes` names.
std::optional<TextEncoding> encodingOfMark(QByteArrayView bytes);
// The encoding of a charset name, as pages, servers and uchardet spell it ("Shift_JIS",
// "x-sjis", "EUC-JP", "utf-8" ...); nothing for other names.
std::optional<TextEncoding> encodingNamed(QByteArray name);
// The charset a <meta charset=…> or <meta http-equiv="Content-Type" content="…; charset=…"> in
// the first 4 KiB names.
std::optional<TextEncoding> encodingOfMeta(QByteArrayView bytes);
