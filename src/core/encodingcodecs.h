#pragma once

#include "core/codec.h"

#include <QByteArray>
#include <QString>

// The codecs behind decodeText and encodeText (encodings.h), one pair per encoding family.
// Every encoder writes the text so that its decoder reads it back as it is: a character that
// would combine with a kept byte next to it is written in another form, or as a reference
// counted in `report` like a character the encoding cannot hold (readbackwriter.h).
QString decodeEucJp(const QByteArray &bytes);
QByteArray encodeEucJp(const QString &text, EncodeReport *report);

QString decodeIso2022Jp(const QByteArray &bytes);
QByteArray encodeIso2022Jp(const QString &text, EncodeReport *report);

// Without a byte-order mark; the caller handles it. U+2029, U+FDD0 and U+FDD1 read as their
// kept bytes: the editor cannot hold them (keptbytes::isUnholdable).
QString decodeUtf8(QByteArrayView bytes);
QByteArray encodeUtf8(const QString &text, EncodeReport *report);
// Whether the bytes are UTF-8 throughout, a sequence cut off at the very end allowed.
bool isValidUtf8Prefix(QByteArrayView bytes);

QString decodeUtf16(QByteArrayView bytes, bool bigEndian);
QByteArray encodeUtf16(const QString &text, bool bigEndian, EncodeReport *report = nullptr);
