#include "mainwindow/framemenus.h"

#include "app/documentio.h"
#include "app/interaction.h"
#include "app/startup.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "mainwindow/frmmain.h"

#include <QAction>
#include <QMenu>
#include <QUrl>

namespace {

QList<MenuEntry> buildTable()
{
    QList<MenuEntry> t = {
        {0, "mnuFile", "ﾌｧｲﾙ(&F)"},
        {1, "mnuFileNew", "新規作成(&N)"},
        {1, "mnuFileOpen", "開く(&O)"},
        {1, "mnuFileClose", "閉じる(&C)"},
        {1, "mnuFileSep1", "-"},
        {1, "mnuFileSave", "保存(&S)", nullptr, -1, false, ""},
        {1, "mnuFileSaveAs", "名前を付けて保存(&A)..."},
        {1, "mnuFileSaveAll", "すべて保存(&L)"},
        {1, "mnuFileSep2", "-"},
        {1, "mnuFileProperties", "ﾌﾟﾛﾊﾟﾃｨ(&I)"},
        {1, "mnuFileSep3", "-"},
        {1, "mnuFilePageSetup", "ﾍﾟｰｼﾞ設定(&U)..."},
        {1, "mnuFilePrintPreview", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"},
        {1, "mnuFilePrint", "印刷(&P)..."},
        {1, "mnuFileSep4", "-"},
        {1, "mnuFileSend", "送信(&D)..."},
    };
    // The recent files: entry 0 the separator, 1..15 the paths; all hidden until filled.
    for (int i = 0; i <= 15; ++i)
        t.append({1, "mnuFileMRU", i == 0 ? "-" : "", nullptr, i, true});
    t << MenuEntry{1, "mnuFileSep5", "-"} << MenuEntry{1, "mnuFileExit", "終了(&X)"};

    t << QList<MenuEntry>{
        {0, "mnuView", "表示(&V)"},
        {1, "mnuViewToolbar", "ﾂｰﾙ ﾊﾞｰ(&T)"},
        {1, "mnuViewStatusBar", "ｽﾃｰﾀｽ ﾊﾞｰ(&B)"},
        {1, "mnuViewTreeVew", "ﾂﾘｰﾋﾞｭｰ(&T)"},
        {1, "mnuViewSep1", "-"},
        {1, "mnuViewExplorer", "ｴｸｽﾌﾟﾛｰﾗ(&E)"},
        {1, "mnuViewRefresh", "最新の情報に更新(&R)"},
        {1, "mnuViewOptions", "ｵﾌﾟｼｮﾝ(&O)..."},
        {1, "mnuViewBrowser", "WWW ﾌﾞﾗｳｻﾞ(&W)"},
        {0, "mnuTool", "ﾂｰﾙ(&T)"},
        {1, "mnuToolOption", "ｵﾌﾟｼｮﾝ(&O)..."},
        {0, "mnuWindow", "ｳｨﾝﾄﾞｳ(&W)"},
        {1, "mnuWindowNewWindow", "新しいｳｨﾝﾄﾞｳを開く(&N)"},
        {1, "mnuWindowSep1", "-"},
        {1, "mnuWindowCascade", "重ねて表示(&C)"},
        {1, "mnuWindowTileHorizontal", "上下に並べて表示(&H)"},
        {1, "mnuWindowTileVertical", "左右に並べて表示(&V)"},
        {1, "mnuWindowArrangeIcons", "ｱｲｺﾝの整列(&A)"},
        {0, "mnuHelp", "ﾍﾙﾌﾟ(&H)"},
        {1, "mnuHelpContents", "目次(&C)"},
        {1, "mnuHelpSearch", "ﾄﾋﾟｯｸの検索(&S)..."},
        {1, "mnuHelpSep1", "-"},
        {1, "mnuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)"},
        {1, "mnuHelpOrvine", "Orvineのサイトへ"},
        {1, "mnuHelpTolvane", "Tolvaneへ"},
        {0, "mnuPopup", "PopUpMenu", nullptr, -1, true},
        {1, "mnuPopUpEdit", "ﾌｧｲﾙの編集"},
        {1, "mnuPopupExplorer", "ｴｸｽﾌﾟﾛｰﾗ"},
    };
    return t;
}

// Entries not built yet show what they will do and nothing else.
struct Placeholder
{
    const char *handler;
    const char *text;
};

const QList<Placeholder> &placeholders()
{
    static const QList<Placeholder> list = {
        {"mnuFileClose_Click", "ﾌｧｲﾙを閉じる処理をここに記述します !"},
        {"mnuFileSaveAll_Click", "すべてを保存する処理をここに記述します !"},
        {"mnuFileProperties_Click", "ﾌﾟﾛﾊﾟﾃｨの表示処理をここに記述します !"},
        {"mnuFilePrintPreview_Click", "印刷ﾌﾟﾚﾋﾞｭｰの表示処理をここに記述します !"},
        {"mnuFileSend_Click", "送信処理をここに記述します !"},
        {"mnuViewRefresh_Click", "最新の情報に表示を更新する処理をここに記述します !"},
        {"mnuWindowNewWindow_Click", "新規ｳｨﾝﾄﾞｳを開く処理をここに記述します !"},
    };
    return list;
}

const Placeholder *findPlaceholder(const QString &handler)
{
    for (const Placeholder &p : placeholders())
        if (handler == QLatin1String(p.handler))
            return &p;
    return nullptr;
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
        reportPrintError(NoObjectError, QStringLiteral("オブジェクト変数または With ブロック変数が設定されていません。"));
        return;
    }
    QString error;
    const auto outcome = Interaction::current().printText(doc->txtText->text() + QStringLiteral("\r\n"), &error);
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

void mnuFileMRU_Click(frmMain &frame, int index)
{
    const QString path = recentFilePath(frame.action(QStringLiteral("mnuFileMRU_%1").arg(index)));
    if (!path.isEmpty())
        ReadDoc(path);
}

void setChecked(frmMain &frame, const char *name, bool checked)
{
    QAction *item = frame.action(QLatin1String(name));
    item->setCheckable(true);
    item->setChecked(checked);
}

void mnuView_Click(frmMain &frame)
{
    setChecked(frame, "mnuViewToolbar", frame.toolBarShown());
    setChecked(frame, "mnuViewStatusBar", frame.statusBarShown());
    setChecked(frame, "mnuViewTreeVew", frame.treeViewShown());
}

void toggle(frmMain &frame, const char *name, bool (frmMain::*shown)() const, void (frmMain::*setShown)(bool))
{
    const bool show = !(frame.*shown)();
    (frame.*setShown)(show);
    setChecked(frame, name, show);
    frame.relayout();
}

void showHelp(frmMain &frame)
{
    if (frame.helpFile.isEmpty()) {
        Interaction::inform(QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"),
                            Interaction::Icon::Information, frame.windowTitle());
        return;
    }
    if (!Interaction::current().openUrl(QUrl::fromLocalFile(frame.helpFile)))
        Interaction::inform(QStringLiteral("ﾍﾙﾌﾟﾌｧｲﾙを開けません: ") + frame.helpFile);
}

const QList<FrameCommand> &frameCommands()
{
    static const QList<FrameCommand> commands = {
        {"mnuFileNew_Click", [](frmMain &) { NewDocument(); }},
        {"mnuFileOpen_Click", [](frmMain &) { openDocumentCommand(); }},
        {"mnuFileSaveAs_Click", mnuFileSaveAs_Click},
        {"mnuFilePageSetup_Click", [](frmMain &) { Interaction::current().printerSetup(); }},
        {"mnuFilePrint_Click", mnuFilePrint_Click},
        {"mnuFileMRU_Click", nullptr, mnuFileMRU_Click},
        {"mnuFileExit_Click", [](frmMain &frame) { frame.close(); }},
        {"mnuView_Click", mnuView_Click},
        {"mnuViewToolbar_Click",
         [](frmMain &f) { toggle(f, "mnuViewToolbar", &frmMain::toolBarShown, &frmMain::setToolBarShown); }},
        {"mnuViewStatusBar_Click",
         [](frmMain &f) { toggle(f, "mnuViewStatusBar", &frmMain::statusBarShown, &frmMain::setStatusBarShown); }},
        {"mnuViewTreeVew_Click",
         [](frmMain &f) { toggle(f, "mnuViewTreeVew", &frmMain::treeViewShown, &frmMain::setTreeViewShown); }},
        {"mnuWindowCascade_Click", [](frmMain &frame) { frame.arrange(0); }},
        {"mnuWindowTileHorizontal_Click", [](frmMain &frame) { frame.arrange(1); }},
        {"mnuWindowTileVertical_Click", [](frmMain &frame) { frame.arrange(2); }},
        {"mnuWindowArrangeIcons_Click", [](frmMain &frame) { frame.arrange(3); }},
        {"mnuHelpContents_Click", showHelp},
        {"mnuHelpSearch_Click", showHelp},
    };
    return commands;
}

} // namespace

const QList<MenuEntry> &frameMenuTable()
{
    static const QList<MenuEntry> table = buildTable();
    return table;
}

const FrameCommand *findFrameCommand(const QString &handler)
{
    for (const FrameCommand &command : frameCommands())
        if (handler == QLatin1String(command.handler))
            return &command;
    return nullptr;
}

bool hasFrameCommand(const QString &handler)
{
    return findFrameCommand(handler) || findPlaceholder(handler);
}

bool runFrameCommand(frmMain &frame, const QString &handler, int index)
{
    if (const Placeholder *placeholder = findPlaceholder(handler)) {
        Interaction::inform(QString::fromUtf8(placeholder->text), Interaction::Icon::Information);
        return true;
    }
    const FrameCommand *command = findFrameCommand(handler);
    if (!command)
        return false;
    if (command->runIndexed)
        command->runIndexed(frame, index);
    else
        command->run(frame);
    return true;
}

BuiltMenus buildFrameMenus(frmMain &frame)
{
    return buildMenusFromTable(frameMenuTable(), &frame,
                               {&hasFrameCommand, [&frame](const QString &handler, int index) {
                                    frame.run(handler, index);
                                }});
}
