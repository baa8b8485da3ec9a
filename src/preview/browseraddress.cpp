#include "preview/browseraddress.h"

#include <QDir>

QUrl browserUrl(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (QDir::isAbsolutePath(trimmed))
        return QUrl::fromLocalFile(trimmed);
    return QUrl::fromUserInput(trimmed, QDir::currentPath());
}

QString addressText(const QUrl &url)
{
    return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
}
