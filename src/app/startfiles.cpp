#include "app/startfiles.h"

#include "app/singleinstance.h"
#include "core/interaction.h"
#include "mainwindow/documentio.h"
#include "mainwindow/frmmain.h"

void openStartFiles(const QStringList &files)
{
    if (files.isEmpty()) {
        NewDocument();
        return;
    }
    for (const QString &file : files)
        ReadDoc(file);
}

void openHandedFiles(const QStringList &files)
{
    frmMain *frame = frmMain::instance();
    if (frame) {
        if (frame->isMinimized())
            frame->showNormal();
        frame->raise();
        frame->activateWindow();
    }
    // The frame first, so that the questions of missing files come up in front.
    for (const QString &file : files)
        ReadDoc(file);
}

int handOverToRunningInstance(const SingleInstance &instance, const QStringList &files)
{
    if (files.isEmpty() || instance.handOver(files))
        return 0;
    Interaction::inform(
        QStringLiteral("起動中のOrvineが応答しないため、ファイルを開けませんでした。\r\n")
            + files.join(QStringLiteral("\r\n")),
        Interaction::Icon::Warning);
    return 1;
}
