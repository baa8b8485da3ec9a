#pragma once

#include <QSize>
#include <QString>

class QImageReader;

// The size in pixels of a picture file, read from its header without decoding the pixels
// (for SVG its declared size). A photo whose EXIF orientation turns it on its side is measured
// as it is shown, upright. A file that cannot be measured gives an invalid size and the reason
// in one line.
struct ImageSize
{
    QSize pixels;
    QString problem;

    bool isValid() const { return pixels.isValid(); }
};

ImageSize readImageSize(const QString &path);

// The size of the picture `reader` is about to read, as it will be shown: the reader is set to
// turn the picture by its EXIF orientation, and a quarter turn swaps width and height.
// Invalid when the header cannot be read. The reader's own size() stays the stored one.
QSize uprightSize(QImageReader &reader);
