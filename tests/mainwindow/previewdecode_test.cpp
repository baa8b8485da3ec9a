#include "mainwindow/explorerpane.h"
#include "mainwindow/explorertree.h"
#include "mainwindow/frmmain.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QtEndian>

#include <cstdlib>
#include <zlib.h>

// Pictures of very many pixels are read on another thread: the preview names them and gives
// their size at once, shows their pixels when they are read, and never shows a picture the
// user has left for another.

namespace {

// A black-and-white PNG of the given size: small on disk, many pixels to unpack.
QByteArray manyPixelsPng(int width, int height)
{
    QImage picture(width, height, QImage::Format_Mono);
    picture.fill(1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray typed = type + data;
    const auto crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(typed.data()),
                           uInt(typed.size()));
    return bigEndian(quint32(data.size())) + typed + bigEndian(quint32(crc));
}

// A PNG whose header claims `width` x `height` true-colour pixels while its data holds only the
// first few rows: what a damaged or hostile file looks like.
QByteArray claimedPng(quint32 width, quint32 height)
{
    const QByteArray header
        = bigEndian(width) + bigEndian(height) + QByteArray("\x08\x02\0\0\0", 5);
    const QByteArray rows(4 * (1 + 3 * qsizetype(width)), '\0');
    QByteArray packed(compressBound(uLong(rows.size())), '\0');
    uLongf packedSize = uLongf(packed.size());
    compress(reinterpret_cast<Bytef *>(packed.data()), &packedSize,
             reinterpret_cast<const Bytef *>(rows.data()), uLong(rows.size()));
    packed.truncate(qsizetype(packedSize));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", packed)
           + pngChunk("IEND", {});
}

// A valid PNG of 100,000 x 20,000 true-colour pixels of one colour (6 GB of rows, about 20 MB on
// disk): unpacking it takes far longer than any test waits. Its rows are packed in pieces that
// each start afresh, so one piece is packed once and repeated; the checksum at the end is left
// out, as the reading never gets there.
QByteArray slowPng()
{
    constexpr quint32 Width = 100000, Rows = 20000, RowsPerPiece = 10;
    QByteArray rows(RowsPerPiece * (1 + 3 * Width), '\0');
    for (quint32 row = 0; row < RowsPerPiece; ++row)
        rows[row * (1 + 3 * Width)] = 2; // "same as above"
    QByteArray piece(compressBound(uLong(rows.size())), '\0');
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_RLE);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(rows.data()));
    stream.avail_in = uInt(rows.size());
    stream.next_out = reinterpret_cast<Bytef *>(piece.data());
    stream.avail_out = uInt(piece.size());
    deflate(&stream, Z_FULL_FLUSH);
    piece.truncate(piece.size() - qsizetype(stream.avail_out));
    deflateEnd(&stream);
    QByteArray packed("\x78\x01", 2); // zlib header, no dictionary
    for (quint32 row = 0; row < Rows; row += RowsPerPiece)
        packed += piece;
    const QByteArray header = bigEndian(Width) + bigEndian(Rows) + QByteArray("\x08\x02\0\0\0", 5);
    QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header);
    for (qsizetype at = 0; at < packed.size(); at += 1 << 20)
        png += pngChunk("IDAT", packed.mid(at, 1 << 20));
    return png + pngChunk("IEND", {});
}

// A BMP whose header claims `width` x `height` pixels of 24 bits and holds none of them.
QByteArray claimedBmp(qint32 width, qint32 height)
{
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    qToLittleEndian(quint32(54), bytes.data() + 2);
    qToLittleEndian(quint32(54), bytes.data() + 10);
    qToLittleEndian(quint32(40), bytes.data() + 14);
    qToLittleEndian(width, bytes.data() + 18);
    qToLittleEndian(height, bytes.data() + 22);
    qToLittleEndian(quint16(1), bytes.data() + 26);
    qToLittleEndian(quint16(24), bytes.data() + 28);
    return bytes;
}

// A GIF whose screen and only picture claim 65,535 x 65,535 pixels, followed by nothing.
QByteArray claimedGif()
{
    QByteArray bytes("GIF89a\xff\xff\xff\xff\0\0\0", 13);
    bytes += QByteArray(",\0\0\0\0\xff\xff\xff\xff\0\x02", 12);
    return bytes;
}

// The peak resident memory of this process in KiB since the last reset, or -1.
qint64 peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

bool resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

class LargePreview : public SpineTest
{
protected:
    QString picture(const QString &name, const QByteArray &bytes)
    {
        writeBytes(path(name), bytes);
        return path(name);
    }
    ExplorerTree &tree() { return *frame->explorer; }
    QLabel &label() { return *frame->picTree->lblImageName; }
    bool pictureShown() { return !frame->picTree->picWork->pixmap().isNull(); }
};

} // namespace

TEST_F(LargePreview, NameAndSizeComeAtOnceAndThePixelsWhenRead)
{
    ASSERT_GT(5000LL * 4000, PreviewDecoder::LargePicturePixels);
    const QString big = picture(QStringLiteral("大きい 写真.png"), manyPixelsPng(5000, 4000));
    QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

    EXPECT_TRUE(tree().preview(big));
    EXPECT_EQ(label().text(), QStringLiteral("Name : 大きい 写真.png\nﾖｺ=5000ﾄﾞｯﾄ / ﾀﾃ=4000ﾄﾞｯﾄ "));
    EXPECT_EQ(tree().previewSize(), QSize(5000, 4000)); // what an insert writes, at once

    ASSERT_TRUE(shown.wait(30000));
    EXPECT_TRUE(pictureShown());
    const QSize pixels = frame->picTree->picWork->pixmap().size();
    EXPECT_LE(qMax(pixels.width(), pixels.height()), 2048);
    EXPECT_LE(std::abs(pixels.width() * 4 - pixels.height() * 5), 5); // the shape kept
    EXPECT_EQ(label().text(), QStringLiteral("Name : 大きい 写真.png\nﾖｺ=5000ﾄﾞｯﾄ / ﾀﾃ=4000ﾄﾞｯﾄ "));
}

TEST_F(LargePreview, OnlyThePictureChosenLastIsShown)
{
    const QString first = picture(QStringLiteral("first.png"), manyPixelsPng(6000, 3000));
    const QString second = picture(QStringLiteral("second.png"), manyPixelsPng(3000, 6000));
    QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

    ASSERT_TRUE(tree().preview(first));
    ASSERT_TRUE(tree().preview(second));
    ASSERT_TRUE(shown.wait(30000));
    // The first picture's pixels, if they were read at all, came before and were left aside.
    EXPECT_EQ(shown.count(), 1);
    const QSize pixels = frame->picTree->picWork->pixmap().size();
    EXPECT_EQ(pixels.height(), pixels.width() * 2) << pixels.width() << "x" << pixels.height();
    EXPECT_TRUE(label().text().contains(QStringLiteral("second.png")));

    // A small picture chosen while a large one is read is shown at once, and stays.
    ASSERT_TRUE(tree().preview(first));
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::red);
    const QString smallPath = path(QStringLiteral("small.png"));
    ASSERT_TRUE(small.save(smallPath));
    ASSERT_TRUE(tree().preview(smallPath));
    EXPECT_EQ(frame->picTree->picWork->pixmap().size(), QSize(40, 30));
    // The large picture's reading ends unseen: a further large one is the next thing shown.
    ASSERT_TRUE(tree().preview(second));
    ASSERT_TRUE(shown.wait(30000));
    EXPECT_EQ(frame->picTree->picWork->pixmap().height(),
              frame->picTree->picWork->pixmap().width() * 2);
}

TEST_F(LargePreview, RowsThatCannotBeReadSaySoWhenTheReadingEnds)
{
    QByteArray broken = manyPixelsPng(5000, 4000);
    broken.truncate(broken.indexOf("IDAT") + 12); // the header holds, the rows are cut off
    const QString path = picture(QStringLiteral("cut.png"), broken);
    QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

    EXPECT_TRUE(tree().preview(path));
    ASSERT_TRUE(shown.wait(30000));
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(label().text(), QStringLiteral("Name : cut.png\nイメージを表示できません。"));
    EXPECT_EQ(tree().previewSize(), QSize());
}

TEST_F(LargePreview, AHeaderClaimingAbsurdSizesCostsNeitherGigabytesNorAFreeze)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"claims.png", claimedPng(100000, 100000)},
        {"claims.bmp", claimedBmp(100000, 100000)},
        {"claims.gif", claimedGif()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = picture(QString::fromLatin1(c.name), c.bytes);
        const bool peakKnown = resetPeak();
        const qint64 before = peakKb();
        QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

        // Refused at once, or read on the other thread and refused when the reading ends.
        if (tree().preview(file) && shown.isEmpty()) {
            ASSERT_TRUE(shown.wait(60000));
        }
        EXPECT_FALSE(pictureShown());
        EXPECT_EQ(
            label().text(),
            QStringLiteral("Name : %1\nイメージを表示できません。").arg(QLatin1String(c.name)));
        if (peakKnown && before > 0) {
            EXPECT_LT(peakKb() - before, 300 * 1024) << "KiB more at the peak";
        }
    }
}

TEST_F(LargePreview, APictureLeftForAnotherStopsBeingRead)
{
    const QString slow = picture(QStringLiteral("slow.png"), slowPng());
    const QString next = picture(QStringLiteral("next.png"), manyPixelsPng(5000, 4000));
    QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

    ASSERT_TRUE(tree().preview(slow));
    EXPECT_EQ(tree().previewSize(), QSize(100000, 20000));
    // The next picture is read at once, not after the minutes the first would take.
    ASSERT_TRUE(tree().preview(next));
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_TRUE(pictureShown());
    EXPECT_TRUE(label().text().contains(QStringLiteral("next.png")));
}
