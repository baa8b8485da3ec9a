#include "mainwindow/previewdecoder.h"

#include "core/plainfile.h"

#include <QFile>
#include <QImageReader>

namespace {

QImage readPicture(const QString &path, const QByteArray &format, const QSize &scaledSize)
{
    QFile file;
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
    m_pool.clear();
    m_pool.waitForDone();
}

int PreviewDecoder::decodeLater(const QString &path, const QByteArray &format,
                                const QSize &scaledSize)
{
    const int request = ++m_lastRequest;
    // A request still waiting for the thread is not read at all once a newer one comes.
    m_pool.clear();
    m_pool.start([this, request, path, format, scaledSize] {
        const QImage picture = readPicture(path, format, scaledSize);
        // Delivered on the decoder's thread; the decoder lives until this task has ended.
        QMetaObject::invokeMethod(
            this, [this, request, picture] { emit decoded(request, picture); },
            Qt::QueuedConnection);
    });
    return request;
}
