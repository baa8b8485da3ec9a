#include "app/commandline.h"

#include "core/nativepath.h"

#include <QDir>
#include <QUrl>

QStringList documentPaths(const QStringList &arguments, const QString &currentFolder)
{
    const QDir folder(currentFolder);
    QStringList paths;
    for (const QString &argument : arguments) {
        if (argument.isEmpty())
            continue;
        QString path = argument;
        if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            const QUrl url = urlOf(argument);
            if (url.isLocalFile())
                path = localPathOf(url);
        }
        paths << QDir::cleanPath(folder.absoluteFilePath(path));
    }
    return paths;
}
