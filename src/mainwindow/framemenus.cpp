#include "mainwindow/framemenus.h"

#include "core/interaction.h"

namespace {

QList<MenuEntry> buildTable()
{
    QList<MenuEntry> t = {
        {0, "mnuFile", "ﾌｧｲﾙ(&F)"},
        {1, "mnuFileNew", "新規作成(&N)", "Ctrl+N"},
        {1, "mnuFileOpen", "開く(&O)", "Ctrl+O"},
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

const QStringList &pendingFrameCommands()
{
    static const QStringList handlers;
    return handlers;
}
