#include "core/droppedfiles.h"

#include "core/nativepath.h"

#include <QMimeData>
#include <QUrl>

QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    // The address's percent-encoded bytes are the name: one that is not UTF-8 keeps them.
    for (const QUrl &url : data->urls()) {
        const QString file = localPathOf(url);
        if (!file.isEmpty())
            files << file;
    }
    return files;
}
