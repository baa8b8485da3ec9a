#pragma once

#include <QByteArray>

#include <zlib.h>

// `bytes` compressed as a server sends them: a gzip member, a zlib stream ("deflate" as
// written) or bare deflate data (as some servers send "deflate").
enum class Packing { Gzip, Zlib, RawDeflate };

inline QByteArray packed(const QByteArray &bytes, Packing packing = Packing::Gzip)
{
    const int windowBits = packing == Packing::Gzip   ? 16 + MAX_WBITS
                           : packing == Packing::Zlib ? MAX_WBITS
                                                      : -MAX_WBITS;
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}
