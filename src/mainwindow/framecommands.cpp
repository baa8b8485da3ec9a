// The File, View and Window commands that the frame's menus and the document window's menus
// share, written once for both menu owners, and the frame's own print and save-as.

#include "mainwindow/framecommands.h"

#include "core/interaction.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "document/documentsave.h"
#include "document/richtextbox.h"
#include "mainwindow/checkcommands.h"
#include "mainwindow/documentio.h"
#include "mainwindow/explorercommands.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/livepreviewpane.h"
#include "mainwindow/sitefindcommands.h"

#include <QAction>

namespace {

// The frame that a menu owner's command acts on.
frmMain *frameOf(frmMain &frame)
{
    return &frame;
}

frmMain *frameOf(frmDocument &)
{
    return frmMain::instance();
}

// Runs `Act` on the owner's frame; nothing happens without one.
template <class Owner, void (*Act)(frmMain &frame, Owner &owner)> void onFrame(Owner &owner)
{
    if (frmMain *frame = frameOf(owner))
        Act(*frame, owner);
}

void setChecked(QAction *entry, bool checked)
{
    if (!entry)
        return;
    entry->setCheckable(true);
    entry->setChecked(checked);
}

// The three parts of the frame that the View menu shows and hides.
struct FramePart
{
    const char *entry;
    bool (frmMain::*shown)() const;
    void (frmMain::*setShown)(bool);
};

constexpr FramePart ToolBar{"mnuViewToolbar", &frmMain::toolBarShown, &frmMain::setToolBarShown};
constexpr FramePart StatusBar{"mnuViewStatusBar", &frmMain::statusBarShown,
                              &frmMain::setStatusBarShown};
constexpr FramePart TreeView{"mnuViewTreeVew", &frmMain::treeViewShown, &frmMain::setTreeViewShown};

template <class Owner> void checkViewEntries(frmMain &frame, Owner &owner)
{
    for (const FramePart &part : {ToolBar, StatusBar, TreeView})
        setChecked(owner.action(QLatin1String(part.entry)), (frame.*part.shown)());
    setChecked(owner.action(QStringLiteral("mnuViewLivePreview")), livePreviewShown(frame));
}

// Flips the frame's part, marks the owner's entry, lays the frame out again.
template <class Owner, const FramePart &Part> void togglePart(frmMain &frame, Owner &owner)
{
    const bool show = !(frame.*Part.shown)();
    (frame.*Part.setShown)(show);
    setChecked(owner.action(QLatin1String(Part.entry)), show);
    frame.relayout();
}

template <class Owner, int Arrangement> void arrange(frmMain &frame, Owner &)
{
    frame.arrange(Arrangement);
}

template <class Owner> void closeFrame(frmMain &frame, Owner &)
{
    frame.close();
}

template <class Owner> void openRecentFile(Owner &owner, const char *entry, int index)
{
    const QString path = recentFilePath(
        owner.action(QStringLiteral("%1_%2").arg(QLatin1String(entry)).arg(index)));
    if (!path.isEmpty())
        ReadDoc(path);
}

// The commands both menu owners have under the same handler names.
template <class Owner> CommandTable<Owner> sharedCommands()
{
    return {
        {"mnuFileNew_Click", [](Owner &) { NewDocument(); }},
        {"mnuFileOpen_Click", [](Owner &) { openDocumentCommand(); }},
        {"mnuViewToolbar_Click", onFrame<Owner, togglePart<Owner, ToolBar>>},
        {"mnuViewStatusBar_Click", onFrame<Owner, togglePart<Owner, StatusBar>>},
        {"mnuViewTreeVew_Click", onFrame<Owner, togglePart<Owner, TreeView>>},
        {"mnuWindowCascade_Click", onFrame<Owner, arrange<Owner, 0>>},
        {"mnuWindowTileHorizontal_Click", onFrame<Owner, arrange<Owner, 1>>},
        {"mnuWindowTileVertical_Click", onFrame<Owner, arrange<Owner, 2>>},
        {"mnuWindowArrangeIcons_Click", onFrame<Owner, arrange<Owner, 3>>},
    };
}

// Error number of a failed print job, and of printing with no document window active.
constexpr int PrinterError = 482;
constexpr int NoObjectError = 91;

void reportPrintError(int number, const QString &description)
{
    Interaction::inform(QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> frmMain mnuFilePrint_Click()\r\nｴﾗｰｺｰﾄﾞ >> ")
                            + QString::number(number) + QStringLiteral("\r\n") + description,
                        Interaction::Icon::Warning, QStringLiteral("印刷"));
}

void mnuFilePrint_Click(frmMain &frame)
{
    frmDocument *doc = frame.activeDocument();
    if (!doc) {
        reportPrintError(
            NoObjectError,
            QStringLiteral("オブジェクト変数または With ブロック変数が設定されていません。"));
        return;
    }
    QString error;
    const auto outcome
        = Interaction::current().printText(doc->txtText->text() + QStringLiteral("\r\n"), &error);
    if (outcome == Interaction::PrintOutcome::Failed)
        reportPrintError(PrinterError, error);
}

void mnuFileSaveAs_Click(frmMain &)
{
    // Only the dialog: the frame has no document of its own to save.
    Interaction::FileRequest request;
    request.overwritePrompt = true;
    Interaction::current().saveFileName(request);
}

// The document window's View menu also offers the colouring pass while colouring is on.
void documentViewOpening(frmDocument &doc)
{
    if (frmMain *frame = frameOf(doc))
        checkViewEntries(*frame, doc);
    doc.setCommandEnabled(QStringLiteral("mnuViewTagColor"), shared().blnTagColor);
    setChecked(doc.action(QStringLiteral("mnuViewSpaceMarks")), storedSpaceMarksShown());
}

} // namespace

FrameCommandTable frameCommands()
{
    return sharedCommands<frmMain>()
           + FrameCommandTable{
               {"mnuFileSaveAs_Click", mnuFileSaveAs_Click},
               {"mnuFilePageSetup_Click", [](frmMain &) { Interaction::current().printerSetup(); }},
               {"mnuFilePrint_Click", mnuFilePrint_Click},
               {"mnuFileMRU_Click", nullptr,
                [](frmMain &frame, int index) { openRecentFile(frame, "mnuFileMRU", index); }},
               {"mnuFileExit_Click", onFrame<frmMain, closeFrame<frmMain>>},
               {"mnuView_Click", onFrame<frmMain, checkViewEntries<frmMain>>},
           };
}

DocumentCommandTable documentFrameCommands()
{
    return sharedCommands<frmDocument>()
           + DocumentCommandTable{
               {"mnuRecentFile_Click", nullptr,
                [](frmDocument &doc, int index) { openRecentFile(doc, "mnuRecentFile", index); }},
               {"mnuFileEnd_Click", onFrame<frmDocument, closeFrame<frmDocument>>},
               {"mnuView_Click", documentViewOpening},
           };
}

void registerFrameCommands()
{
    FrameCommands::add(frameCommands());
    DocumentCommands::add(documentFrameCommands());
    registerExplorerCommands();
    registerCheckCommands();
    registerSiteFindCommands();
    registerLivePreviewCommands();
}
