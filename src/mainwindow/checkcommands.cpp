#include "mainwindow/checkcommands.h"

#include "check/pagecheck.h"
#include "document/frmdocument.h"
#include "document/frmprogress.h"
#include "document/richtextbox.h"
#include "mainwindow/frmcheckresults.h"
#include "mainwindow/frmmain.h"

#include <QGuiApplication>

namespace {

void mnuToolCheck_Click(frmDocument &doc)
{
    frmMain *frame = frmMain::instance();
    if (!frame)
        return;
    const QString path = doc.strFileName == frmDocument::NewFileName ? QString() : doc.strFileName;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    SiteFiles files;
    const QList<PageFinding> findings
        = checkPage(doc.txtText->text(), path, storedPageCheckOptions(), files);
    QGuiApplication::restoreOverrideCursor();
    checkResults(*frame)->showPage(&doc, findings);
}

void checkExplorerFolder(frmMain &frame)
{
    const QString folder = frame.currentExplorerPath();
    if (!folder.isEmpty())
        checkFolderWithProgress(frame, folder);
}

} // namespace

frmCheckResults *checkResults(frmMain &frame)
{
    auto *results = frame.findChild<frmCheckResults *>(QString(), Qt::FindDirectChildrenOnly);
    if (!results) {
        results = new frmCheckResults(&frame);
        frame.addDockWidget(Qt::BottomDockWidgetArea, results);
    }
    return results;
}

void checkFolderWithProgress(frmMain &frame, const QString &folder)
{
    frmProgress progress(&frame);
    progress.setWindowTitle(QObject::tr("フォルダを検査しています"));
    progress.allowCancel();
    bool started = false;
    const QList<FileFindings> pages
        = checkFolder(folder, storedPageCheckOptions(), [&progress, &started](int done, int total) {
              if (!started) {
                  progress.start(total);
                  started = true;
              }
              progress.advance(done);
              return progress.keepGoing();
          });
    const bool cancelled = progress.cancelled();
    progress.hide();
    checkResults(frame)->showFolder(folder, pages, cancelled);
}

DocumentCommandTable documentCheckCommands()
{
    return {
        {"mnuToolCheck_Click", mnuToolCheck_Click},
        {"mnuPopCheckFolder_Click",
         [](frmDocument &) {
             if (frmMain *frame = frmMain::instance())
                 checkExplorerFolder(*frame);
         }},
    };
}

FrameCommandTable frameCheckCommands()
{
    return {{"mnuPopupCheckFolder_Click", checkExplorerFolder}};
}

void registerCheckCommands()
{
    DocumentCommands::add(documentCheckCommands());
    FrameCommands::add(frameCheckCommands());
}
