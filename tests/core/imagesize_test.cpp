#include "core/imagesize.h"

#include "support/exifjpeg.h"
#include "support/gifpicture.h"
#include "support/qstringprinter.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ImageSizeTest : public testing::Test
{
protected:
    QString path(const QString &name) const { return folder.filePath(name); }

    // Writes a picture of `size` in `format`; fails the test clearly when the format's plugin
    // is missing.
    QString writePicture(const QString &name, const char *format, QSize size)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QImageWriter writer(path(name), format);
        EXPECT_TRUE(writer.write(picture)) << format << ": " << writer.errorString().toStdString()
                                           << " (is the Qt image format plugin installed?)";
        return path(name);
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    QTemporaryDir folder;
};

TEST_F(ImageSizeTest, PixelSizeOfEveryFormat)
{
    const struct
    {
        const char *format;
        const char *name;
        QSize size;
    } cases[] = {
        {"jpeg", "写真 1.jpg", {64, 48}},
        {"png", "b.png", {1, 300}},
        {"webp", "c.webp", {120, 90}},
        {"bmp", "d.bmp", {7, 5}},
    };
    for (const auto &c : cases) {
        const QString file = writePicture(QString::fromUtf8(c.name), c.format, c.size);
        const ImageSize measured = readImageSize(file);
        EXPECT_EQ(measured.pixels, c.size) << c.format << ": " << measured.problem.toStdString();
        EXPECT_TRUE(measured.problem.isEmpty()) << c.format;
    }
}

TEST_F(ImageSizeTest, GifWrittenByHand)
{
    const QString file = writeFile(QStringLiteral("a.gif"), gifPicture({33, 17}));
    ASSERT_FALSE(QImage(file).isNull()) << "the test picture itself must be a valid GIF";
    EXPECT_EQ(readImageSize(file).pixels, QSize(33, 17));
}

TEST_F(ImageSizeTest, SvgGivesItsDeclaredSize)
{
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("svg"))
        << "the Qt SVG image format plugin (libqt6svg6) is missing";
    const QString file
        = writeFile(QStringLiteral("icon.svg"),
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210\" height=\"45\">"
                    "<rect width=\"10\" height=\"10\" fill=\"blue\"/></svg>");
    EXPECT_EQ(readImageSize(file).pixels, QSize(210, 45));
}

TEST_F(ImageSizeTest, PhotosAreMeasuredAsTheirOrientationShowsThem)
{
    // Stored 40 x 30 as a sensor sees it; orientations 5 to 8 show it 30 wide and 40 high.
    const QSize stored(40, 30);
    for (const ExifByteOrder order : {ExifByteOrder::Motorola, ExifByteOrder::Intel}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const QString name = QStringLiteral("IMG_%1_%2.JPG").arg(int(order)).arg(orientation);
            const QString file = writeFile(name, exifJpeg(stored, orientation, order));
            const ImageSize measured = readImageSize(file);
            const QSize expected = orientation >= 5 ? stored.transposed() : stored;
            EXPECT_EQ(measured.pixels, expected)
                << name.toStdString() << ": " << measured.problem.toStdString();

            // The size written into the page is the size the picture is shown at.
            QImageReader shown(file);
            shown.setAutoTransform(true);
            EXPECT_EQ(shown.read().size(), measured.pixels) << name.toStdString();
        }
    }
}

TEST_F(ImageSizeTest, ABrokenOrientationTagLeavesTheStoredSize)
{
    const QSize stored(40, 30);
    QByteArray cutShort = exifJpeg(stored, 6);
    // The directory entry cut off, the segment length still claiming it.
    cutShort.remove(2 + 4 + 6 + 8 + 2, 12);
    cutShort.insert(2 + 4 + 6 + 8 + 2, QByteArray(12, '\0'));
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"orientation 0", exifJpeg(stored, 0)},
        {"orientation 9", exifJpeg(stored, 9)},
        {"orientation 65535", exifJpeg(stored, 0xFFFF)},
        {"zeroed directory entry", cutShort},
    };
    for (const auto &c : cases) {
        const QString file = writeFile(QString::fromUtf8(c.name) + QStringLiteral(".jpg"), c.bytes);
        const ImageSize measured = readImageSize(file);
        EXPECT_EQ(measured.pixels, stored) << c.name << ": " << measured.problem.toStdString();
    }
}

TEST_F(ImageSizeTest, UnreadableFilesSayWhy)
{
    const QString png = writePicture(QStringLiteral("whole.png"), "png", {20, 20});
    QFile whole(png);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();

    const struct
    {
        const char *name;
        QString file;
    } cases[] = {
        {"truncated inside the header", writeFile(QStringLiteral("cut.png"), bytes.left(12))},
        {"text named .gif", writeFile(QStringLiteral("note.gif"), "this is not a picture\n")},
        {"empty file", writeFile(QStringLiteral("empty.jpg"), {})},
        {"missing file", path(QStringLiteral("nowhere.gif"))},
        {"a folder", folder.path()},
    };
    for (const auto &c : cases) {
        const ImageSize measured = readImageSize(c.file);
        EXPECT_FALSE(measured.isValid()) << c.name;
        EXPECT_FALSE(measured.problem.isEmpty()) << c.name;
        EXPECT_FALSE(measured.problem.contains(QLatin1Char('\n'))) << c.name;
    }
}

} // namespace
