#pragma once

#include <QSize>
#include <QString>

// The size in pixels of a picture file, read from its header without decoding the pixels
// (for SVG its declared size). A file that cannot be measured gives an invalid size and the
// reason in one line.
struct ImageSize
{
    QSize pixels;
    QString problem;

    bool isValid() const { return pixels.isValid(); }
};

ImageSize readImageSize(const QString &path);
