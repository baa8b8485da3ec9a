#include "mainwindow/previewdecoder.h"

#include "core/plainfile.h"

#include <QFile>
#include <QImageReader>

#include <functional>

namespace {

// The picture's file, which fails every read once the picture has been left for another: the
// reader then gives up at its next read instead of unpacking rows nobody will see, and the
// picture chosen next does not wait behind it.
class LeavableFile : public QFile
{
public:
    explicit LeavableFile(std::function<bool()> left) : m_left(std::move(left)) {}

protected:
    qint64 readData(char *data, qint64 length) override
    {
        if (m_left())
            return -1;
        return QFile::readData(data, length);
    }

private:
    std::function<bool()> m_left;
};

QImage readPicture(const QString &path, const QByteArray &format, const QSize &scaledSize,
                   const std::function<bool()> &left)
{
    LeavableFile file(left);
    if (openPlainFile(path, file) != PlainFileRefusal::None)
        return {};
    QImageReader reader(&file, format);
    reader.setDecideFormatFromContent(true);
    if (scaledSize.isValid())
        reader.setScaledSize(scaledSize);
    return reader.read();
}

} // namespace

PreviewDecoder::PreviewDecoder(QObject *parent) : QObject(parent)
{
    // One picture at a time: a click on the next picture does not start a second reader beside
    // the first.
    m_pool.setMaxThreadCount(1);
}

PreviewDecoder::~PreviewDecoder()
{
    leave();
    m_pool.clear();
    m_pool.waitForDone();
}

int PreviewDecoder::decodeLater(const QString &path, const QByteArray &format,
                                const QSize &scaledSize)
{
    const int request = ++m_lastRequest;
    // A request still waiting for the thread is not read at all once a newer one comes, and
    // one being read stops.
    m_pool.clear();
    m_pool.start([this, request, path, format, scaledSize] {
        const QImage picture = readPicture(path, format, scaledSize,
                                           [this, request] { return m_lastRequest != request; });
        // Delivered on the decoder's thread; the decoder lives until this task has ended.
        QMetaObject::invokeMethod(
            this, [this, request, picture] { emit decoded(request, picture); },
            Qt::QueuedConnection);
    });
    return request;
}

void PreviewDecoder::leave()
{
    ++m_lastRequest;
}
