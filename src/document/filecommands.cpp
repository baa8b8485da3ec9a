// The File, View, Tool (enabling) and Window commands of the document window.

#include "app/documentio.h"
#include "app/interaction.h"
#include "app/sharedstate.h"
#include "app/startup.h"
#include "document/documentcommand.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/frmmain.h"

#include <QAction>
#include <QUrl>

namespace {

// Error number of a failed print job.
constexpr int PrinterError = 482;

void mnuFile_Click(frmDocument &doc)
{
    // A new document is saved with save-as.
    doc.setCommandEnabled(QStringLiteral("mnuFileSave"), doc.strFileName != frmDocument::NewFileName);
}

void mnuFileNew_Click(frmDocument &)
{
    NewDocument();
}

void mnuFileOpen_Click(frmDocument &)
{
    openDocumentCommand();
}

void mnuFileClose_Click(frmDocument &doc)
{
    doc.close();
}

void mnuFileSave_Click(frmDocument &doc)
{
    saveDocumentCommand(doc);
}

void mnuFileAdd_Click(frmDocument &doc)
{
    saveDocumentAsCommand(doc);
}

void mnuFilePrint_Click(frmDocument &doc)
{
    QString error;
    const auto outcome = Interaction::current().printText(doc.txtText->text(), &error);
    if (outcome == Interaction::PrintOutcome::Failed)
        Interaction::inform(QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> frmDocument mnuFilePrint_Click()\r\nｴﾗｰｺｰﾄﾞ >> ")
                                + QString::number(PrinterError) + QStringLiteral("\r\n") + error,
                            Interaction::Icon::Warning);
}

void mnuRecentFile_Click(frmDocument &doc, int index)
{
    const QString path = recentFilePath(doc.action(QStringLiteral("mnuRecentFile_%1").arg(index)));
    if (!path.isEmpty())
        ReadDoc(path);
}

void mnuFileEnd_Click(frmDocument &)
{
    if (frmMain *frame = frmMain::instance())
        frame->close();
}

void setChecked(frmDocument &doc, const char *name, bool checked)
{
    QAction *item = doc.action(QString::fromLatin1(name));
    item->setCheckable(true);
    item->setChecked(checked);
}

void mnuView_Click(frmDocument &doc)
{
    if (frmMain *frame = frmMain::instance()) {
        setChecked(doc, "mnuViewStatusBar", frame->statusBarShown());
        setChecked(doc, "mnuViewToolbar", frame->toolBarShown());
        setChecked(doc, "mnuViewTreeVew", frame->treeViewShown());
    }
    doc.setCommandEnabled(QStringLiteral("mnuViewTagColor"), shared().blnTagColor);
}

// The three view toggles: flip the frame's part, mark this entry, lay the frame out again.
void toggleFramePart(frmDocument &doc, const char *name, bool (frmMain::*shown)() const,
                     void (frmMain::*setShown)(bool))
{
    frmMain *frame = frmMain::instance();
    if (!frame)
        return;
    const bool show = !(frame->*shown)();
    (frame->*setShown)(show);
    setChecked(doc, name, show);
    frame->relayout();
}

void mnuViewToolbar_Click(frmDocument &doc)
{
    toggleFramePart(doc, "mnuViewToolbar", &frmMain::toolBarShown, &frmMain::setToolBarShown);
}

void mnuViewStatusBar_Click(frmDocument &doc)
{
    toggleFramePart(doc, "mnuViewStatusBar", &frmMain::statusBarShown, &frmMain::setStatusBarShown);
}

void mnuViewTreeVew_Click(frmDocument &doc)
{
    toggleFramePart(doc, "mnuViewTreeVew", &frmMain::treeViewShown, &frmMain::setTreeViewShown);
}

void mnuViewTagColor_Click(frmDocument &doc)
{
    const int caret = doc.txtText->selStart();
    Color_set(doc);
    doc.txtText->setSelStart(caret);
}

void mnuViewExplorer_Click(frmDocument &)
{
    frmMain *frame = frmMain::instance();
    const QString folder = frame ? frame->currentExplorerPath() : QString();
    if (!folder.isEmpty())
        Interaction::current().openUrl(QUrl::fromLocalFile(folder));
}

void mnuTool_Click(frmDocument &doc)
{
    const bool selected = doc.txtText->selLength() > 0;
    for (const char *name : {"mnuToopBr", "mnuToolP", "mnuToolDelCR", "mnuToolHan2Zen", "mnuToolGradation"})
        doc.setCommandEnabled(QString::fromLatin1(name), selected);
    doc.setCommandEnabled(QStringLiteral("mnuToolDownload"), true);
    doc.setCommandEnabled(QStringLiteral("mnuToolOption"), true);
}

template<int Arrangement>
void arrangeWindows(frmDocument &)
{
    if (frmMain *frame = frmMain::instance())
        frame->arrange(Arrangement);
}

} // namespace

DocumentCommandTable fileCommands()
{
    return {
        {"mnuFile_Click", mnuFile_Click},
        {"mnuFileNew_Click", mnuFileNew_Click},
        {"mnuFileOpen_Click", mnuFileOpen_Click},
        {"mnuFileClose_Click", mnuFileClose_Click},
        {"mnuFileSave_Click", mnuFileSave_Click},
        {"mnuFileAdd_Click", mnuFileAdd_Click},
        {"mnuFilePrint_Click", mnuFilePrint_Click},
        {"mnuRecentFile_Click", nullptr, mnuRecentFile_Click},
        {"mnuFileEnd_Click", mnuFileEnd_Click},
        {"mnuView_Click", mnuView_Click},
        {"mnuViewToolbar_Click", mnuViewToolbar_Click},
        {"mnuViewStatusBar_Click", mnuViewStatusBar_Click},
        {"mnuViewTreeVew_Click", mnuViewTreeVew_Click},
        {"mnuViewTagColor_Click", mnuViewTagColor_Click},
        {"mnuViewExplorer_Click", mnuViewExplorer_Click},
        {"mnuTool_Click", mnuTool_Click},
        {"mnuWindowCascade_Click", arrangeWindows<0>},
        {"mnuWindowTileHorizontal_Click", arrangeWindows<1>},
        {"mnuWindowTileVertical_Click", arrangeWindows<2>},
        {"mnuWindowArrangeIcons_Click", arrangeWindows<3>},
    };
}
