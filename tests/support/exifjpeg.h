#pragma once

// A JPEG as a phone camera writes it: the pixels stored as the sensor saw them and an EXIF
// APP1 segment, right after the start-of-image marker, whose Orientation tag (0x0112) tells
// viewers how to turn the picture. Orientations 5 to 8 turn it by a quarter.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSize>

enum class ExifByteOrder { Motorola, Intel };

// `stored`: the pixel size in the file; the picture is red on the left half and blue on the
// right, so a turned picture can be told from one read as stored.
inline QByteArray exifJpeg(QSize stored, int orientation,
                           ExifByteOrder order = ExifByteOrder::Motorola)
{
    QImage picture(stored, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width() / 2; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 95);

    const bool motorola = order == ExifByteOrder::Motorola;
    QByteArray tiff;
    const auto word = [&tiff, motorola](int value) {
        const char high = char((value >> 8) & 0xFF), low = char(value & 0xFF);
        tiff.append(motorola ? high : low);
        tiff.append(motorola ? low : high);
    };
    const auto dword = [&word, motorola](int value) {
        if (motorola) {
            word((value >> 16) & 0xFFFF);
            word(value & 0xFFFF);
        } else {
            word(value & 0xFFFF);
            word((value >> 16) & 0xFFFF);
        }
    };
    tiff.append(motorola ? "MM" : "II");
    word(42);
    dword(8);     // the first directory follows the header
    word(1);      // one entry
    word(0x0112); // Orientation
    word(3);      // SHORT
    dword(1);     // one value
    word(orientation);
    word(0);  // the value field's unused half
    dword(0); // no next directory

    QByteArray segment("Exif\0\0", 6);
    segment.append(tiff);
    const int length = int(segment.size()) + 2;
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((length >> 8) & 0xFF));
    app1.append(char(length & 0xFF));
    app1.append(segment);
    jpeg.insert(2, app1);
    return jpeg;
}
