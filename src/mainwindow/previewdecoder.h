#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>

// Reads the explorer's preview pictures of many pixels on another thread. Unpacking the rows
// of a picture of hundreds of megapixels takes seconds however small it is shown; the window
// goes on meanwhile, and the preview shows the picture when it is ready.
class PreviewDecoder : public QObject
{
    Q_OBJECT

public:
    // Pictures above this many pixels are read on another thread, smaller ones at once.
    static constexpr qint64 LargePicturePixels = 16'000'000;
    static bool isLarge(const QSize &pixels)
    {
        return pixels.isValid() && qint64(pixels.width()) * pixels.height() > LargePicturePixels;
    }

    explicit PreviewDecoder(QObject *parent = nullptr);
    // Waits for a picture still being read: its rows are the decoder's own.
    ~PreviewDecoder() override;

    // Starts reading the picture at `path` (`format` a hint, as the file's extension gives
    // it), scaled to `scaledSize` when that is valid; answers the number of the request, which
    // `decoded` carries back.
    int decodeLater(const QString &path, const QByteArray &format, const QSize &scaledSize);

    // No picture asked for so far is wanted any more: one being read stops reading.
    void leave();

signals:
    // A picture asked for by `request`; a null image when it could not be read.
    void decoded(int request, const QImage &picture);

private:
    QThreadPool m_pool;
    std::atomic<int> m_lastRequest = 0;
};
