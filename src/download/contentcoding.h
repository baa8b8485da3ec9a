#pragma once

#include <QByteArray>
#include <QList>

// How undoing a response's content codings ended.
enum class ContentDecoding {
    Ok,
    Unknown,  // a coding other than gzip and deflate
    Broken,   // compressed data that is damaged or ends before its end mark
    TooLarge, // the unpacked body is longer than the limit
};

// Undoes the content codings a server applied to `body` (the values of its Content-Encoding
// fields, "gzip", "x-gzip", "deflate", "identity"), the last applied first. A compressed body
// counts only when its stream reaches its end mark: a stream cut off in the middle is Broken,
// never half a page.
ContentDecoding decodeContentCodings(const QList<QByteArray> &contentEncodings, QByteArray &body,
                                     qint64 maxBytes);
