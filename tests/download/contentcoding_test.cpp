#include "download/contentcoding.h"

#include "support/gzipped.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QByteArray japanesePage()
{
    QByteArray page = "<html><head><title>";
    for (int i = 0; i < 400; ++i)
        page += "日本語のページ、" + QByteArray::number(i) + "行目。\r\n";
    return page + "</title></head></html>";
}

struct Result
{
    ContentDecoding status;
    QByteArray body;
};

Result decode(const QList<QByteArray> &codings, QByteArray body, qint64 maxBytes = 1 << 20)
{
    const ContentDecoding status = decodeContentCodings(codings, body, maxBytes);
    return {status, body};
}

TEST(ContentCoding, EveryPackingUnpacksToThePage)
{
    const QByteArray page = japanesePage();
    QByteArray noise(3000, '\0');
    for (char &c : noise)
        c = char(QRandomGenerator::global()->bounded(256));
    const struct
    {
        const char *what;
        QList<QByteArray> codings;
        QByteArray body;
        QByteArray expected;
    } cases[] = {
        {"gzip", {"gzip"}, packed(page), page},
        {"x-gzip in capitals", {"X-GZIP"}, packed(page), page},
        {"deflate as a zlib stream", {"deflate"}, packed(page, Packing::Zlib), page},
        {"deflate as bare data", {"deflate"}, packed(page, Packing::RawDeflate), page},
        {"random bytes survive", {"gzip"}, packed(noise), noise},
        {"two gzip members", {"gzip"}, packed(page.left(100)) + packed(page.mid(100)), page},
        {"packed twice, in two fields",
         {"deflate", "gzip"},
         packed(packed(page, Packing::Zlib)),
         page},
        {"packed twice, in one field",
         {"deflate, gzip"},
         packed(packed(page, Packing::Zlib)),
         page},
        {"identity", {"identity"}, page, page},
        {"no coding", {}, page, page},
    };
    for (const auto &c : cases) {
        const Result result = decode(c.codings, c.body);
        EXPECT_EQ(result.status, ContentDecoding::Ok) << c.what;
        EXPECT_EQ(result.body, c.expected) << c.what;
    }
}

// A compressed page cut anywhere never passes for a page, however much of it decodes.
TEST(ContentCoding, AStreamCutAnywhereIsBroken)
{
    const QByteArray page = japanesePage();
    for (const Packing packing : {Packing::Gzip, Packing::Zlib}) {
        const QByteArray whole = packed(page, packing);
        const QByteArray coding = packing == Packing::Gzip ? "gzip" : "deflate";
        for (qsizetype cut = 1; cut < whole.size(); ++cut) {
            const Result result = decode({coding}, whole.left(cut));
            ASSERT_EQ(result.status, ContentDecoding::Broken)
                << coding.constData() << " cut at " << cut;
        }
    }
}

TEST(ContentCoding, DamagedUnknownAndOversizedBodiesAreRefused)
{
    const QByteArray page = japanesePage();
    QByteArray flipped = packed(page);
    flipped[flipped.size() - 6] = char(flipped[flipped.size() - 6] ^ 0x40); // inside the checksum
    QByteArray damaged = packed(page);
    damaged[20] = char(damaged[20] ^ 0xff);
    const QByteArray bomb = packed(QByteArray(4 << 20, 'a'));
    const struct
    {
        const char *what;
        QList<QByteArray> codings;
        QByteArray body;
        ContentDecoding expected;
    } cases[] = {
        {"a wrong checksum", {"gzip"}, flipped, ContentDecoding::Broken},
        {"damaged data", {"gzip"}, damaged, ContentDecoding::Broken},
        {"plain text said to be gzip", {"gzip"}, page, ContentDecoding::Broken},
        {"brotli", {"br"}, page, ContentDecoding::Unknown},
        {"compress", {"gzip, compress"}, page, ContentDecoding::Unknown},
        {"a small body unpacking to megabytes", {"gzip"}, bomb, ContentDecoding::TooLarge},
    };
    for (const auto &c : cases)
        EXPECT_EQ(decode(c.codings, c.body).status, c.expected) << c.what;
}

} // namespace
