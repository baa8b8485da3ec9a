#pragma once

#include "core/encodings.h"

#include <QByteArray>
#include <QString>

// The encoding of a downloaded page: a byte-order mark; else the charset of the response's
// Content-Type header; else the charset its <meta> line names; else Shift-JIS.
TextEncoding pageEncoding(const QByteArray &body, const QByteArray &contentType);

// The page's text in that encoding.
QString decodePage(const QByteArray &body, const QByteArray &contentType);
