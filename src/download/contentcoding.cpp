#include "download/contentcoding.h"

#include <climits>
#include <zlib.h>

namespace {

enum class Wrapper { Gzip, Zlib, Raw };

int windowBitsFor(Wrapper wrapper)
{
    switch (wrapper) {
    case Wrapper::Gzip: return 16 + MAX_WBITS;
    case Wrapper::Zlib: return MAX_WBITS;
    case Wrapper::Raw: break;
    }
    return -MAX_WBITS;
}

// "deflate" should be a zlib stream, but some servers send the bare deflate data.
Wrapper deflateWrapperOf(const QByteArray &body)
{
    if (body.size() < 2)
        return Wrapper::Zlib;
    const unsigned first = uchar(body[0]);
    const unsigned second = uchar(body[1]);
    return (first & 0x0f) == Z_DEFLATED && (first * 256 + second) % 31 == 0 ? Wrapper::Zlib
                                                                            : Wrapper::Raw;
}

ContentDecoding inflateAll(const QByteArray &in, Wrapper wrapper, qint64 maxBytes, QByteArray &out)
{
    if (in.size() > qsizetype(UINT_MAX))
        return ContentDecoding::TooLarge;
    z_stream stream{};
    if (inflateInit2(&stream, windowBitsFor(wrapper)) != Z_OK)
        return ContentDecoding::Broken;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    stream.avail_in = uInt(in.size());
    out.clear();
    char buffer[64 * 1024];
    ContentDecoding result = ContentDecoding::Broken;
    for (;;) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        const int status = inflate(&stream, Z_NO_FLUSH);
        const qsizetype produced = qsizetype(sizeof buffer - stream.avail_out);
        if (out.size() + produced > maxBytes) {
            result = ContentDecoding::TooLarge;
            break;
        }
        out.append(buffer, produced);
        if (status == Z_STREAM_END) {
            // A gzip body may hold several members one after the other.
            if (wrapper == Wrapper::Gzip && stream.avail_in >= 2 && stream.next_in[0] == 0x1f
                && stream.next_in[1] == 0x8b && inflateReset(&stream) == Z_OK)
                continue;
            result = ContentDecoding::Ok;
            break;
        }
        // Without progress (Z_BUF_ERROR) the input ran out before the end mark: cut off.
        if (status != Z_OK)
            break;
    }
    inflateEnd(&stream);
    return result;
}

} // namespace

ContentDecoding decodeContentCodings(const QList<QByteArray> &contentEncodings, QByteArray &body,
                                     qint64 maxBytes)
{
    QList<QByteArray> codings;
    for (const QByteArray &value : contentEncodings) {
        for (const QByteArray &part : value.split(',')) {
            const QByteArray coding = part.trimmed().toLower();
            if (!coding.isEmpty() && coding != "identity")
                codings << coding;
        }
    }
    // Nothing to unpack: an empty body stays empty, whatever the fields say.
    if (body.isEmpty())
        return ContentDecoding::Ok;
    for (auto coding = codings.crbegin(); coding != codings.crend(); ++coding) {
        Wrapper wrapper;
        if (*coding == "gzip" || *coding == "x-gzip")
            wrapper = Wrapper::Gzip;
        else if (*coding == "deflate")
            wrapper = deflateWrapperOf(body);
        else
            return ContentDecoding::Unknown;
        QByteArray unpacked;
        const ContentDecoding result = inflateAll(body, wrapper, maxBytes, unpacked);
        if (result != ContentDecoding::Ok)
            return result;
        body = std::move(unpacked);
    }
    return ContentDecoding::Ok;
}
