#include "mainwindow/sitefindcommands.h"

#include "document/frmdocument.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmsitefind.h"

#include <QFileInfo>

namespace {

void siteFindInExplorerFolder()
{
    if (frmMain *frame = frmMain::instance())
        showSiteFind(frame, frame->currentExplorerPath());
}

void mnuEditSiteFind_Click(frmDocument &doc)
{
    frmMain *frame = frmMain::instance();
    const QString folder = doc.strFileName == frmDocument::NewFileName
                               ? (frame ? frame->currentExplorerPath() : QString())
                               : QFileInfo(doc.strFileName).absolutePath();
    showSiteFind(frame, folder);
}

} // namespace

DocumentCommandTable documentSiteFindCommands()
{
    return {
        {"mnuEditSiteFind_Click", mnuEditSiteFind_Click},
        {"mnuPopSiteFind_Click", [](frmDocument &) { siteFindInExplorerFolder(); }},
    };
}

FrameCommandTable frameSiteFindCommands()
{
    return {{"mnuPopupSiteFind_Click", [](frmMain &) { siteFindInExplorerFolder(); }}};
}

void registerSiteFindCommands()
{
    DocumentCommands::add(documentSiteFindCommands());
    FrameCommands::add(frameSiteFindCommands());
}
