#pragma once

#include "core/codec.h"

#include <QByteArray>
#include <QString>

// The codecs behind decodeText and encodeText (encodings.h), one pair per encoding family.
QString decodeEucJp(const QByteArray &bytes);
QByteArray encodeEucJp(const QString &text, EncodeReport *report);

QString decodeIso2022Jp(const QByteArray &bytes);
QByteArray encodeIso2022Jp(const QString &text, EncodeReport *report);

// Without a byte-order mark; the caller handles it.
QString decodeUtf8(QByteArrayView bytes);
QByteArray encodeUtf8(const QString &text, EncodeReport *report);
// Whether the bytes are UTF-8 throughout, a sequence cut off at the very end allowed.
bool isValidUtf8Prefix(QByteArrayView bytes);

QString decodeUtf16(QByteArrayView bytes, bool bigEndian);
QByteArray encodeUtf16(const QString &text, bool bigEndian, EncodeReport *report = nullptr);
