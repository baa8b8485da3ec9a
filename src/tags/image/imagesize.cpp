#include "tags/image/imagesize.h"

#include <QFileInfo>
#include <QImageReader>
#include <QObject>

namespace {

QString reasonOf(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::FileNotFoundError:
        return QObject::tr("ファイルが見つかりません。");
    case QImageReader::DeviceError:
        return QObject::tr("ファイルを読み込めません。");
    case QImageReader::UnsupportedFormatError:
        return QObject::tr("対応していない形式のファイルです。");
    case QImageReader::InvalidDataError:
        return QObject::tr("イメージのデータが壊れています。");
    case QImageReader::UnknownError:
        break;
    }
    return QObject::tr("イメージの大きさがわかりません。");
}

} // namespace

QSize uprightSize(QImageReader &reader)
{
    reader.setAutoTransform(true);
    QSize size = reader.size();
    // Phones store a portrait photo as landscape pixels with an orientation tag; what every
    // viewer and browser shows is the turned picture.
    if (size.isValid() && reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
        size.transpose();
    return size;
}

ImageSize readImageSize(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        return {{}, QObject::tr("%1: ファイルが見つかりません。").arg(fileName)};
    QImageReader reader(path);
    // The content decides the format, whatever the file's extension says.
    reader.setDecideFormatFromContent(true);
    const QSize size = uprightSize(reader);
    if (size.isValid() && !size.isEmpty())
        return {size, {}};
    return {{}, fileName + QStringLiteral(": ") + reasonOf(reader)};
}
