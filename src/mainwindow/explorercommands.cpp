// What the explorer pane does for the user: opening files from the tree, inserting references to
// them into the active document, handing pictures to the image editor and folders to the
// desktop's file manager.

#include "mainwindow/explorercommands.h"

#include "core/documentfile.h"
#include "core/imagesize.h"
#include "core/interaction.h"
#include "core/nativepath.h"
#include "core/optionsdialog.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/documentio.h"
#include "mainwindow/explorertree.h"
#include "mainwindow/frmmain.h"
#include "tags/shared/dialogcommand.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QUrl>

namespace {

ExplorerTree *explorer()
{
    frmMain *frame = frmMain::instance();
    return frame ? frame->explorer : nullptr;
}

QString currentNodePath()
{
    ExplorerTree *tree = explorer();
    return tree ? tree->currentPath() : QString();
}

// A program that could not be started: the platform's "file not found".
void reportLaunchFailure(const QString &place)
{
    constexpr int FileNotFound = 53;
    Interaction::inform(QStringLiteral("ｴﾗｰ場所 : %1\r\nｴﾗｰ番号 : %2\r\nｴﾗｰ内容 : %3")
                            .arg(place)
                            .arg(FileNotFound)
                            .arg(fileErrorDescription(FileNotFound)),
                        Interaction::Icon::Warning);
}

// The desktop's file manager on the current node's folder; with no node chosen in the tree,
// on the folder of `page`, the document being edited.
void openFileManager(const QString &place, const frmDocument *page)
{
    const ExplorerTree *tree = explorer();
    QString folder = tree ? tree->currentFolder() : QString();
    if (folder.isEmpty() && page && page->strFileName != frmDocument::NewFileName)
        folder = FolderOf(page->strFileName);
    if (folder.isEmpty()) {
        Interaction::inform(
            QObject::tr("ﾌｫﾙﾀﾞが選択されていません。ﾂﾘｰﾋﾞｭｰでﾌｫﾙﾀﾞを選択してください。"),
            Interaction::Icon::Information);
        return;
    }
    if (!Interaction::current().openUrl(fileUrlOf(folder)))
        reportLaunchFailure(place);
}

// The image editor named by a program file, or by a name found on the search path.
bool imageToolExists(const QString &tool)
{
    if (FileExists(tool))
        return true;
    return !tool.contains(u'/') && !QStandardPaths::findExecutable(tool).isEmpty();
}

// Offers the Options dialog for an image editor that is missing; false when the user declines.
bool offerOptions(const QString &question)
{
    if (Interaction::ask(question, Interaction::Icon::Question, Interaction::Buttons::YesNo)
        != Interaction::Answer::Yes)
        return false;
    showOptionsDialog();
    return true;
}

enum class ToolCheck { WhenEmpty, WhenEmptyOrMissing };

// Starts the image editor on `picture`; `place` names the command in an error message.
void startImageEditor(const QString &picture, const QString &place, ToolCheck check)
{
    if (shared().strImageToolPath.isEmpty()) {
        if (!offerOptions(QObject::tr("イメージ編集ツールが指定されていません。指定しますか？")))
            return;
    } else if (check == ToolCheck::WhenEmptyOrMissing
               && !imageToolExists(shared().strImageToolPath)) {
        if (!offerOptions(
                QObject::tr("指定されたイメージ編集ツールがみつかりません。再指定しますか？")))
            return;
    }
    // Still no editor after the Options dialog: nothing to start.
    if (shared().strImageToolPath.isEmpty())
        return;
    if (!Interaction::current().startProgram(shared().strImageToolPath, {picture}))
        reportLaunchFailure(place);
}

// Opens a page from the tree; unless the tree is to change the current path, the path stays
// what it was.
void openFromTree(const QString &path)
{
    // Read before ReadDoc: the new window's load step reloads the shared state.
    const bool keepPath = !shared().blnTreePathChange;
    const QString remembered = shared().strLastFullPath;
    ReadDoc(path);
    if (keepPath && shared().strLastFullPath != remembered) {
        shared().strLastFullPath = remembered;
        SaveSettings();
    }
}

void nodeDoubleClicked()
{
    ExplorerTree *tree = explorer();
    if (!tree)
        return;
    const NodeKind kind = tree->currentKind();
    if (kind == NodeKind::Picture) {
        tree->preview(tree->currentPath());
        startImageEditor(shared().strPreviewPath, QStringLiteral("trvTV_DblClick"),
                         ToolCheck::WhenEmpty);
    } else if (opensAsDocument(kind)) {
        openFromTree(tree->currentPath());
    }
}

void previewDoubleClicked()
{
    if (!shared().strPreviewPath.isEmpty())
        startImageEditor(shared().strPreviewPath, QStringLiteral("picImgRef_DblClick"),
                         ToolCheck::WhenEmpty);
}

void enable(QAction *entry, bool enabled)
{
    if (entry)
        entry->setEnabled(enabled);
}

// The right-click menu: the frame's while no document window is open, else the active one's.
void showTreeMenu(frmMain &frame, const QPoint &globalPos)
{
    const NodeKind kind = frame.explorer->currentKind();
    frmDocument *doc = frame.activeDocument();
    if (!doc) {
        const FrameTreeMenu state = frameTreeMenuFor(kind);
        enable(frame.action(QStringLiteral("mnuPopUpEdit")), state.popUpEdit);
        enable(frame.action(QStringLiteral("mnuPopupExplorer")), state.popupExplorer);
        if (QMenu *menu = frame.menu(QStringLiteral("mnuPopup")))
            menu->popup(globalPos);
        return;
    }
    const DocumentTreeMenu state = documentTreeMenuFor(kind);
    doc->setCommandEnabled(QStringLiteral("mnuPopUrl"), state.popUrl);
    doc->setCommandEnabled(QStringLiteral("mnuPopOpen"), state.popOpen);
    doc->setCommandEnabled(QStringLiteral("mnuPopImage"), state.popImage);
    doc->setCommandEnabled(QStringLiteral("mnuPopImageEdit"), state.popImageEdit);
    doc->setCommandEnabled(QStringLiteral("mnuPopExplorer"), state.popExplorer);
    if (QMenu *menu = doc->menu(QStringLiteral("mnuPopup")))
        menu->popup(globalPos);
}

// Replaces the document's selection with a reference to the current node built by `tag` from
// the path relative to the document. A never-saved document is offered a save first; without
// one nothing is inserted.
template <class MakeTag> void insertReference(frmDocument &doc, MakeTag tag)
{
    const QString target = currentNodePath();
    if (target.isEmpty())
        return;
    if (!ensurePageHasFolder(doc))
        return;
    const std::optional<QString> text = tag(RelativePath(doc.strFileName, target), target);
    if (!text)
        return;
    putText(*doc.txtText, *text);
    doc.txtText->setFocus(Qt::OtherFocusReason);
}

void mnuPopUrl_Click(frmDocument &doc)
{
    insertReference(doc, [](const QString &reference, const QString &) -> std::optional<QString> {
        return linkTag(reference);
    });
}

void mnuPopImage_Click(frmDocument &doc)
{
    insertReference(doc,
                    [](const QString &reference, const QString &picture) -> std::optional<QString> {
                        const ImageSize size = readImageSize(picture);
                        if (!size.isValid()) {
                            Interaction::inform(size.problem, Interaction::Icon::Warning);
                            return std::nullopt;
                        }
                        return imageTag(reference, size.pixels);
                    });
}

void mnuPopImageEdit_Click(frmDocument &)
{
    const QString picture = currentNodePath();
    if (!picture.isEmpty())
        startImageEditor(picture, QStringLiteral("mnuPopImageEdit"), ToolCheck::WhenEmptyOrMissing);
}

void openCurrentNode()
{
    const QString path = currentNodePath();
    if (!path.isEmpty())
        ReadDoc(path);
}

void mnuPopUpEdit_Click(frmMain &frame)
{
    openCurrentNode();
    if (frmDocument *doc = frame.activeDocument())
        doc->txtText->setFocus(Qt::OtherFocusReason);
}

} // namespace

FrameCommandTable explorerFrameCommands()
{
    return {
        {"mnuViewExplorer_Click",
         [](frmMain &frame) {
             openFileManager(QStringLiteral("mnuViewExplorer"), frame.activeDocument());
         }},
        {"mnuPopupExplorer_Click",
         [](frmMain &frame) {
             openFileManager(QStringLiteral("mnuPopupExplorer"), frame.activeDocument());
         }},
        {"mnuPopUpEdit_Click", mnuPopUpEdit_Click},
    };
}

DocumentCommandTable explorerDocumentCommands()
{
    return {
        {"mnuViewExplorer_Click",
         [](frmDocument &doc) { openFileManager(QStringLiteral("mnuViewExplorer"), &doc); }},
        {"mnuPopExplorer_Click",
         [](frmDocument &doc) { openFileManager(QStringLiteral("mnuPopExplorer"), &doc); }},
        {"mnuPopOpen_Click", [](frmDocument &) { openCurrentNode(); }},
        {"mnuPopUrl_Click", mnuPopUrl_Click},
        {"mnuPopImage_Click", mnuPopImage_Click},
        {"mnuPopImageEdit_Click", mnuPopImageEdit_Click},
    };
}

void registerExplorerCommands()
{
    FrameCommands::add(explorerFrameCommands());
    DocumentCommands::add(explorerDocumentCommands());
}

void attachExplorer(frmMain &frame)
{
    ExplorerTree *tree = frame.explorer;
    QObject::connect(tree, &ExplorerTree::pathShown, &frame,
                     [&frame](const QString &path) { frame.setPanelText(1, path); });
    QObject::connect(tree, &ExplorerTree::menuRequested, &frame,
                     [&frame](const QPoint &at) { showTreeMenu(frame, at); });
    QObject::connect(tree, &ExplorerTree::nodeDoubleClicked, &frame, nodeDoubleClicked);
    QObject::connect(tree, &ExplorerTree::previewDoubleClicked, &frame, previewDoubleClicked);
    tree->buildDrives(driveNodes(mountedVolumes(), QDir::homePath()));
}
