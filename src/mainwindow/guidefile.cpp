#include "mainwindow/guidefile.h"

#include <QDir>
#include <QFileInfo>

// The installed guide's folder as seen from the installed program's folder; the build sets it
// from its install layout.
#ifndef ORVINE_GUIDE_FOLDER
#define ORVINE_GUIDE_FOLDER "../share/orvine"
#endif

QString guideFileFor(const QString &programFolder)
{
    const QString name = QStringLiteral("orvine.qhc");
    const QDir program(programFolder);
    const QString folders[]
        = {programFolder, program.filePath(QStringLiteral(ORVINE_GUIDE_FOLDER))};
    for (const QString &folder : folders) {
        const QString file = QDir::cleanPath(QDir(folder).filePath(name));
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}
