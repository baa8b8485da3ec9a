#include "core/imagesize.h"

#include "core/plainfile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QObject>

namespace {

QString reasonOf(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::FileNotFoundError: return QObject::tr("ファイルが見つかりません。");
    case QImageReader::DeviceError: return QObject::tr("ファイルを読み込めません。");
    case QImageReader::UnsupportedFormatError:
        return QObject::tr("対応していない形式のファイルです。");
    case QImageReader::InvalidDataError: return QObject::tr("イメージのデータが壊れています。");
    case QImageReader::UnknownError: break;
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
    // Only a plain file is read: a pipe would block the program for good, a device never ends.
    QFile file;
    switch (openPlainFile(path, file)) {
    case PlainFileRefusal::None: break;
    case PlainFileRefusal::NotPlain:
        return {{}, QObject::tr("%1: ファイルではありません。").arg(fileName)};
    case PlainFileRefusal::Unreadable:
        return {{}, QObject::tr("%1: ファイルを読み込めません。").arg(fileName)};
    case PlainFileRefusal::Missing:
    case PlainFileRefusal::TooLarge:
        return {{}, QObject::tr("%1: ファイルが見つかりません。").arg(fileName)};
    }
    // The extension is only a hint, for formats the content alone does not give away.
    QImageReader reader(&file, QFileInfo(path).suffix().toLatin1());
    // The content decides the format, whatever the file's extension says.
    reader.setDecideFormatFromContent(true);
    const QSize size = uprightSize(reader);
    if (size.isValid() && !size.isEmpty())
        return {size, {}};
    return {{}, fileName + QStringLiteral(": ") + reasonOf(reader)};
}
