#include "harness.h"
#include "mainwindow/explorerpane.h"
#include "mainwindow/explorertree.h"
#include "mainwindow/frmmain.h"
#include "processscenarios.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <zlib.h>

namespace bench {
namespace {

constexpr int Side = 20000;

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray typed = type + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef *>(typed.data()), uInt(typed.size()));
    return bigEndian(quint32(data.size())) + typed + bigEndian(quint32(crc));
}

// The compressed rows of a Side x Side true-colour picture of one colour: the first row is the
// colour and "same as the left", every other row "same as above". Run-length deflate makes the
// 1.2 GB of rows in seconds, without holding them.
QByteArray packedRows()
{
    const qsizetype rowBytes = 1 + 3 * qsizetype(Side);
    QByteArray first(rowBytes, '\0');
    first[0] = 1; // Sub
    first[1] = char(40);
    first[2] = char(90);
    first[3] = char(160);
    QByteArray other(rowBytes, '\0');
    other[0] = 2; // Up

    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_RLE);
    QByteArray packed;
    QByteArray buffer(1 << 20, '\0');
    const auto feed = [&](const QByteArray &row, int flush) {
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(row.data()));
        stream.avail_in = uInt(row.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            packed.append(buffer.constData(), buffer.size() - qsizetype(stream.avail_out));
        } while (stream.avail_out == 0);
    };
    feed(first, Z_NO_FLUSH);
    for (int row = 1; row < Side; ++row)
        feed(other, row + 1 == Side ? Z_FINISH : Z_NO_FLUSH);
    deflateEnd(&stream);
    return packed;
}

QByteArray pngOf(const QByteArray &packed)
{
    const QByteArray header = bigEndian(Side) + bigEndian(Side) + QByteArray("\x08\x02\0\0\0", 5);
    QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header);
    for (qsizetype at = 0; at < packed.size(); at += 1 << 16)
        png += chunk("IDAT", packed.mid(at, 1 << 16));
    return png + chunk("IEND", {});
}

// Unpacks the rows into a small buffer, over and over: the least any reader of the picture does.
bool inflateAll(const QByteArray &packed)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.data()));
    stream.avail_in = uInt(packed.size());
    QByteArray buffer(1 << 20, '\0');
    int result = Z_OK;
    qint64 total = 0;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer.data());
        stream.avail_out = uInt(buffer.size());
        result = inflate(&stream, Z_NO_FLUSH);
        total += buffer.size() - qsizetype(stream.avail_out);
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END && total == qint64(Side) * (1 + 3 * qint64(Side));
}

} // namespace

bool runBigPicture(const QString &subject, const QString &key, int repetitions)
{
    const QByteArray packed = packedRows();
    if (subject == QLatin1String("floor")) {
        Samples samples;
        for (int i = 0; i < repetitions; ++i) {
            QElapsedTimer timer;
            timer.start();
            if (!inflateAll(packed))
                return false;
            samples.add(elapsedMs(timer));
        }
        report(key, samples.median());
        return true;
    }
    if (subject != QLatin1String("orvine"))
        return false;

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("big.png"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(pngOf(packed)) <= 0)
            return false;
    }
    frmMain frame;
    frame.show();
    settleEvents();
    ExplorerTree &tree = *frame.explorer;
    Samples samples;
    for (int i = 0; i < repetitions; ++i) {
        frame.picTree->picWork->clear();
        QSignalSpy shown(&tree, &ExplorerTree::previewShown);
        QElapsedTimer timer;
        timer.start();
        // Read at once, or on another thread and shown when read.
        if (!tree.preview(path))
            return false;
        if (frame.picTree->picWork->pixmap().isNull() && shown.isEmpty() && !shown.wait(300000))
            return false;
        settleEvents();
        samples.add(elapsedMs(timer));
        const QSize shownSize = frame.picTree->picWork->pixmap().size();
        if (shownSize.isEmpty() || qMax(shownSize.width(), shownSize.height()) > 2048) {
            std::fprintf(stderr, "the picture was not shown scaled: %dx%d\n", shownSize.width(),
                         shownSize.height());
            return false;
        }
    }
    report(key, samples.median());
    return true;
}

} // namespace bench
