#pragma once

#include "core/encodings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// What a recovery file keeps of one changed document: enough to open it again as it was.
struct RecoveryRecord
{
    QString path;    // the page's file; empty for a page that was never saved
    QString caption; // the window's caption, which names a new page ("NewHtml1.htm")
    TextEncoding encoding = TextEncoding::ShiftJis;
    qint64 caret = 0;
    QDateTime taken; // when the text was taken
    QString text;    // CR LF line breaks; kept bytes as their reserved units

    bool operator==(const RecoveryRecord &) const = default;
};

// The bytes of a recovery file: a header of "key=value" lines (values percent-encoded UTF-8),
// an empty line, then the text as UTF-16 little-endian units, so that every unit comes back
// as it was, the lone surrogates of kept bytes included. The header holds the text's length
// and a digest: a file cut short or altered does not decode.
QByteArray encodeRecoveryRecord(const RecoveryRecord &record);
std::optional<RecoveryRecord> decodeRecoveryRecord(const QByteArray &bytes);

// The first line of the text with content, shortened for a list.
QString recoveryFirstLine(const QString &text, int maxLength = 60);
