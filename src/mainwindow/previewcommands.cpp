#include "mainwindow/previewcommands.h"

#include "core/browserwindow.h"
#include "core/interaction.h"
#include "core/localpages.h"
#include "core/paths.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "mainwindow/frmmain.h"

#include <QAction>
#include <QMdiArea>
#include <QPointer>

namespace {

QPointer<BrowserWindow> &shownWindow()
{
    static QPointer<BrowserWindow> window;
    return window;
}

// The error box of a browser that could not be started.
void reportLaunchError(const char *routine, const QString &program)
{
    const bool missing = !FileExists(program);
    const int number = missing ? 53 : 5;
    const QString description
        = missing ? QStringLiteral("ファイルが見つかりません。")
                  : QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    Interaction::inform(QStringLiteral("ｴﾗｰ場所 : ") + QLatin1String(routine)
                            + QStringLiteral("\r\nｴﾗｰ番号 : ") + QString::number(number)
                            + QStringLiteral("\r\nｴﾗｰ内容 : ") + description + QStringLiteral(" (")
                            + program + QLatin1Char(')'),
                        Interaction::Icon::Warning);
}

bool askYesNo(const QString &text)
{
    return Interaction::ask(text, Interaction::Icon::Question, Interaction::Buttons::YesNo)
           == Interaction::Answer::Yes;
}

// The options dialog, through the owner's own options command.
void showOptions(frmDocument &doc)
{
    doc.run(QStringLiteral("mnuToolOption_Click"));
}

void showOptions(frmMain &frame)
{
    frame.run(QStringLiteral("mnuViewOptions_Click"));
}

enum class CheckBrowserFile { No, Yes };

// Starts the external browser on `address`, first offering the options dialog when no browser
// is set (or, with `check`, when its file is missing). The address is handed over as one
// argument, never through a shell, so blanks and ";" in it are the browser's to read.
template <class Owner>
void openInExternalBrowser(Owner &owner, const QString &address, CheckBrowserFile check,
                           const char *routine)
{
    if (shared().strBrowzerPath.isEmpty()) {
        if (!askYesNo(QStringLiteral("ブラウザが指定されていません。指定しますか？")))
            return;
        showOptions(owner);
    } else if (check == CheckBrowserFile::Yes && !FileExists(shared().strBrowzerPath)) {
        if (!askYesNo(QStringLiteral("指定されたブラウザが見つかりません。再指定しますか？")))
            return;
        showOptions(owner);
    }
    const QString program = shared().strBrowzerPath;
    if (!Interaction::current().startProgram(program, {address}))
        reportLaunchError(routine, program);
}

// Makes sure the document's file exists and is current; false when the user ends the command.
bool saveBeforePreview(frmDocument &doc)
{
    if (doc.strFileName == frmDocument::NewFileName) {
        if (!askYesNo(
                QStringLiteral("新規HTMLは保存しないとﾊﾟｽが確定できません。\r\n保存しますか？")))
            return false;
        doc.run(QStringLiteral("mnuFileAdd_Click"));
        // Save As cancelled: there is no file to show, and the bare name would be looked up
        // on the network as a host.
        if (doc.strFileName == frmDocument::NewFileName) {
            Interaction::inform(QStringLiteral("新規HTMLは保存しないとﾌﾞﾗｳｻﾞに表示できません。"),
                                Interaction::Icon::Information);
            return false;
        }
    }
    if (doc.blnFlgDirty) {
        switch (Interaction::ask(QStringLiteral("ﾌｧｲﾙが変更されています。保存しますか。"),
                                 Interaction::Icon::Question, Interaction::Buttons::YesNoCancel)) {
        case Interaction::Answer::Yes: doc.run(QStringLiteral("mnuFileSave_Click")); break;
        case Interaction::Answer::Cancel: return false;
        default: break;
        }
    }
    return true;
}

void hideTreeWhilePreviewing(frmMain &frame, frmDocument &doc)
{
    if (!shared().blnTreeViewHide)
        return;
    frame.setTreeViewShown(false);
    if (QAction *entry = doc.action(QStringLiteral("mnuViewTreeVew"))) {
        entry->setCheckable(true);
        entry->setChecked(false);
    }
    frame.relayout();
}

void mnuViewBrowser_Click(frmDocument &doc)
{
    if (!saveBeforePreview(doc))
        return;
    frmMain *frame = frmMain::instance();
    if (frame)
        hideTreeWhilePreviewing(*frame, doc);
    if (!shared().blnMyBrowzer)
        openInExternalBrowser(doc, doc.strFileName, CheckBrowserFile::Yes, "mnuViewBrowser");
    else if (frame)
        showInBuiltInBrowser(*frame, doc.strFileName);
}

QString sitePage(LocalPage site)
{
    return localPagePath(site);
}

// The Help menu's web sites: the built-in browser, or the external one without checking that
// its file exists.
template <class Owner, LocalPage Site> void openSite(Owner &owner)
{
    frmMain *frame = frmMain::instance();
    if (shared().blnMyBrowzer) {
        if (frame) {
            frame->relayout();
            showInBuiltInBrowser(*frame, sitePage(Site));
        }
        return;
    }
    openInExternalBrowser(owner, sitePage(Site), CheckBrowserFile::No,
                          Site == LocalPage::OrvineSite ? "mnuHelpOrvine" : "mnuHelpTolvane");
}

} // namespace

BrowserWindow *builtInBrowserWindow()
{
    return shownWindow();
}

BrowserWindow *showInBuiltInBrowser(frmMain &frame, const QString &address)
{
    // Replacing the window is not the user's close request: the explorer pane stays as it is.
    delete shownWindow().data();
    BrowserWindow *window = BrowserWindow::make(address);
    if (!window)
        return nullptr;
    shownWindow() = window;
    frame.mdiArea->addSubWindow(window);
    QObject::connect(window, &QMdiSubWindow::aboutToActivate, &frame,
                     [&frame] { frame.enableEditButtons(false); });
    QObject::connect(window, &BrowserWindow::closeRequested, &frame, [&frame] {
        // The View menu's check mark is set again when the menu next opens.
        if (shared().blnTreeViewHide) {
            frame.setTreeViewShown(true);
            frame.relayout();
        }
    });
    // The window opens over the frame's whole free area: a fixed size would reach past the
    // area's edges beside a wide explorer pane or in a small frame, hiding its buttons.
    window->setGeometry(frame.mdiArea->viewport()->rect());
    window->show();
    frame.mdiArea->setActiveSubWindow(window);
    window->raise();
    return window;
}

DocumentCommandTable documentPreviewCommands()
{
    return {
        {"mnuViewBrowser_Click", mnuViewBrowser_Click},
        {"mnuHelpOrvine_Click", openSite<frmDocument, LocalPage::OrvineSite>},
        {"mnuHelpTolvane_Click", openSite<frmDocument, LocalPage::TolvaneSite>},
    };
}

FrameCommandTable framePreviewCommands()
{
    return {
        {"mnuViewBrowser_Click",
         [](frmMain &frame) { showInBuiltInBrowser(frame, sitePage(LocalPage::OrvineSite)); }},
        {"mnuHelpOrvine_Click", openSite<frmMain, LocalPage::OrvineSite>},
        {"mnuHelpTolvane_Click", openSite<frmMain, LocalPage::TolvaneSite>},
    };
}

void registerPreviewCommands()
{
    DocumentCommands::add(documentPreviewCommands());
    FrameCommands::add(framePreviewCommands());
}
