#include "mainwindow/framemenus.h"

#include "core/interaction.h"

namespace {

QList<MenuEntry> buildTable()
{
    MenuTableBuilder t;

    t.add(0, "mnuFile", "ﾌｧｲﾙ(&F)")
        .add(1, "mnuFileNew", "新規作成(&N)", "Ctrl+N")
        .add(1, "mnuFileOpen", "開く(&O)", "Ctrl+O")
        .add(1, "mnuFileClose", "閉じる(&C)")
        .add(1, "mnuFileSep1", "-")
        .alias(1, "mnuFileSave", "保存(&S)", "") // no action
        .add(1, "mnuFileSaveAs", "名前を付けて保存(&A)...")
        .add(1, "mnuFileSaveAll", "すべて保存(&L)")
        .add(1, "mnuFileSep2", "-")
        .add(1, "mnuFileProperties", "ﾌﾟﾛﾊﾟﾃｨ(&I)")
        .add(1, "mnuFileSep3", "-")
        .add(1, "mnuFilePageSetup", "ﾍﾟｰｼﾞ設定(&U)...")
        .add(1, "mnuFilePrintPreview", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)")
        .add(1, "mnuFilePrint", "印刷(&P)...")
        .add(1, "mnuFileSep4", "-")
        .add(1, "mnuFileSend", "送信(&D)...")
        // The recent files: entry 0 the separator, 1..15 the paths; all hidden until filled.
        .array(1, "mnuFileMRU", {"-", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
               0)
        .add(1, "mnuFileSep5", "-")
        .add(1, "mnuFileExit", "終了(&X)");

    t.add(0, "mnuView", "表示(&V)")
        .add(1, "mnuViewToolbar", "ﾂｰﾙ ﾊﾞｰ(&T)")
        .add(1, "mnuViewStatusBar", "ｽﾃｰﾀｽ ﾊﾞｰ(&B)")
        .add(1, "mnuViewTreeVew", "ﾂﾘｰﾋﾞｭｰ(&T)")
        .add(1, "mnuViewSep1", "-")
        .add(1, "mnuViewExplorer", "ｴｸｽﾌﾟﾛｰﾗ(&E)")
        .add(1, "mnuViewRefresh", "最新の情報に更新(&R)")
        .add(1, "mnuViewOptions", "ｵﾌﾟｼｮﾝ(&O)...")
        .add(1, "mnuViewBrowser", "WWW ﾌﾞﾗｳｻﾞ(&W)")
        .add(1, "mnuViewLivePreview", "ライブプレビュー(&L)");

    t.add(0, "mnuTool", "ﾂｰﾙ(&T)").add(1, "mnuToolOption", "ｵﾌﾟｼｮﾝ(&O)...");

    t.add(0, "mnuWindow", "ｳｨﾝﾄﾞｳ(&W)")
        .add(1, "mnuWindowNewWindow", "新しいｳｨﾝﾄﾞｳを開く(&N)")
        .add(1, "mnuWindowSep1", "-")
        .add(1, "mnuWindowCascade", "重ねて表示(&C)")
        .add(1, "mnuWindowTileHorizontal", "上下に並べて表示(&H)")
        .add(1, "mnuWindowTileVertical", "左右に並べて表示(&V)")
        .add(1, "mnuWindowArrangeIcons", "ｱｲｺﾝの整列(&A)");

    t.add(0, "mnuHelp", "ﾍﾙﾌﾟ(&H)")
        .add(1, "mnuHelpContents", "目次(&C)")
        .add(1, "mnuHelpSearch", "ﾄﾋﾟｯｸの検索(&S)...")
        .add(1, "mnuHelpSep1", "-")
        .add(1, "mnuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)")
        .add(1, "mnuHelpOrvine", "Orvineのサイトへ")
        .add(1, "mnuHelpTolvane", "Tolvaneへ");

    t.hidden(0, "mnuPopup", "PopUpMenu")
        .add(1, "mnuPopUpEdit", "ﾌｧｲﾙの編集")
        .add(1, "mnuPopupExplorer", "ｴｸｽﾌﾟﾛｰﾗ")
        .add(1, "mnuPopupCheckFolder", "フォルダを検査")
        .add(1, "mnuPopupSiteFind", "フォルダ内の検索・置換...");
    return t.take();
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

} // namespace

const QList<MenuEntry> &frameMenuTable()
{
    static const QList<MenuEntry> table = buildTable();
    return table;
}

bool isPlaceholder(const QString &handler)
{
    return findPlaceholder(handler) != nullptr;
}

bool showPlaceholder(const QString &handler)
{
    const Placeholder *placeholder = findPlaceholder(handler);
    if (!placeholder)
        return false;
    Interaction::inform(QString::fromUtf8(placeholder->text), Interaction::Icon::Information);
    return true;
}
