#include "document/documentmenus.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// The document window's menus: menu, entry, caption ("-" a separator), one entry per line.
const char *const MenuLayout = R"(
mnuFile|mnuFileNew|新規作成(&N)
mnuFile|mnuFileOpen|開く(&O)...
mnuFile|mnuFileClose|閉じる(&C)
mnuFile|mnuFileSep1|-
mnuFile|mnuFileSave|上書き保存(&S)
mnuFile|mnuFileAdd|名前を付けて保存(&A)...
mnuFile|mnufileSep3|-
mnuFile|mnuFilePrint|印刷(&P)...
mnuFile|mnuRecentFile_0|-
mnuFile|mnuRecentFile_1|RecentFile1
mnuFile|mnuRecentFile_8|RecentFile8
mnuFile|mnuRecentFile_9|
mnuFile|mnuRecentFile_15|
mnuFile|mnuFileSep2|-
mnuFile|mnuFileEnd|終了(&X)
mnuEdit|mnuEditUndo|元に戻す(&U)
mnuEdit|mnuEditRedo|やり直し(&R)
mnuEdit|mnuEditSep0|-
mnuEdit|mnuEditCut|切取り(&T)
mnuEdit|mnuEditCopy|ｺﾋﾟｰ(&C)
mnuEdit|mnuEditPaste|貼り付け(&P)
mnuEdit|mnuEditDel|削除
mnuEdit|mnuEditSep1|-
mnuEdit|mnuEditFind|検索と置換(&S)...
mnuEdit|mnuEditSep2|-
mnuEdit|mnuEditGoLine|行へ移動(&G)...
mnuEdit|mnuEditMatchTag|対応するタグへ移動(&M)
mnuView|mnuViewToolbar|ﾂｰﾙﾊﾞｰ(&T)
mnuView|mnuViewStatusBar|ｽﾃｰﾀｽﾊﾞｰ(&B)
mnuView|mnuViewTreeVew|ﾂﾘｰﾋﾞｭｰ(&T)
mnuView|mnuViewSep1|-
mnuView|mnuViewTagColor|ﾀｸﾞの色を再表示する(&C)
mnuView|mnuViewSep2|-
mnuView|mnuViewBrowser|WWWﾌﾞﾗｳｻﾞに表示(&B)
mnuView|mnuViewExplorer|ｴｸｽﾌﾟﾛｰﾗ(&E)
mnuInsert|mnuInsDate|今日の日付(&D)
mnuInsDate|mnuInsertDate|日付のみ(&D)
mnuInsDate|mnuInsertDW|日付と曜日(&W)
mnuInsert|mnuInsertTime|現在の時間(&T)
mnuInsert|mnuInsertChar|特殊文字(&C)
mnuInsertChar|mnuInsertCharS_0| ＜
mnuInsertChar|mnuInsertCharS_1| ＞
mnuInsertChar|mnuInsertCharS_2| ”
mnuInsertChar|mnuInsertCharS_3| ＆
mnuInsert|mnuInsertSep1|-
mnuInsert|mniInsertTeikei|定型文(&B)
mniInsertTeikei|mnuInsetrTeikeiItem_0|（なし）
mniInsertTeikei|mnuInsetrTeikeiItem_14|
mnuInsert|mnuInsertTeikeiSet|定型文の設定(&S)
mnuHtml|mnuHtmlPage|書式(&P)
mnuHtmlPage|mnuHtmlPageDocType|<!DOCTYPE>　HTMLのﾊﾞｰｼﾞｮﾝ(&V)
mnuHtmlPageDocType|mnuHtmlPageDoctupeVer_0|HTML3.2 (&3)
mnuHtmlPageDocType|mnuHtmlPageDoctupeVer_1|HTML4.0 Strict (&S)
mnuHtmlPageDocType|mnuHtmlPageDoctupeVer_2|HTML4.0 Transitional (&T)
mnuHtmlPageDocType|mnuHtmlPageDoctupeVer_3|HTML4.0 Frameset (&F)
mnuHtmlPage|mnuHtmlPageHtml|<HTML> ＨＴＭＬﾌｧｲﾙ(&H)
mnuHtmlPage|mnuHtmlPageHead|<HEAD> ﾍｯﾀﾞｰ(&H)
mnuHtmlPage|mnuHtmlPageBody|<BODY> ﾎﾞﾃﾞｨ(&B)...
mnuHtmlPage|mnuFrame|<FRAMESETR> ﾌﾚｰﾑ.(&F)...
mnuHtmlPage|mnuHtmlPageSep1|-
mnuHtmlPage|mnuHtmlBaseHref|<BASE href> 基準ＵＲＬ(&B)...
mnuHtmlPage|mnuHtmlMetaName|<META name> 説明を入れる(&M)
mnuHtmlMetaName|mnuHtmlMateNameAuthor|<author> 製作者名(&A)
mnuHtmlMetaName|mnuHtmlMetaNameDiscription|<description> 内容の説明(&D)
mnuHtmlMetaName|mnuHtmlMetaNameKeyword|<keyword> ｷｰﾜｰﾄﾞ(&K)
mnuHtmlPage|mnuHtmlMetaRefresh|<META refresh> 自動読込(&R)...
mnuHtmlPage|mnuHtmlPageTitle|<TITLE> ﾀｲﾄﾙ(&T)
mnuHtml|mnuHtmlTextSep1|-
mnuHtml|mnuTextPara|段落(&P)
mnuTextPara|mnuHtmlTextParagraph|<P> 段落(&P)
mnuTextPara|mnuHtmlTextParagraph2|<P></P> 段落(&D) 
mnuTextPara|mnuHtmlTextBr|<BR> 改行(&R)
mnuTextPara|mnuHtmlTextWbr|<WBR> 弱い改行(&W)
mnuTextPara|mnuHtmlTextNobr|<NOBR> 改行禁止(&N)
mnuTextPara|mnuHtmlPagePre|<PRE> 編集済みﾃｷｽﾄ
mnuHtml|mnuHtmlsep3|-
mnuHtml|mnuHtmlDiv|<DIV> 位置(&D)
mnuHtmlDiv|mnuHtmlTextLeft|左揃え(&L)
mnuHtmlDiv|mnuHtmlTextRight|右揃え(&R)
mnuHtmlDiv|mnuHtmlTextDivCenter|中央揃え(&C)
mnuHtmlDiv|mnuHtmlTextCenter|<CENTER>　中央揃え(&C)
mnuHtml|mnuHtmlSep4|-
mnuHtml|mnuHtmlPageComment|ｺﾒﾝﾄ(&C)
mnuHtml|mnuHtmlText|書体(&X)
mnuHtmlText|mnuHtmlTextBold|<B> 強調(&B)
mnuHtmlText|mnuHtmlTextItlic|<I> ｲﾀﾘｯｸ(&I)
mnuHtmlText|mnuHtmlTextUnderLine|<U> 下線(&U)
mnuHtmlText|mnuHtmlTextS|<S> 打消し線(&S)
mnuHtmlText|mnuHtmlTextSub|<SUB> 下付き(&C)
mnuHtmlText|mnuHtmlTextSup|<SUP> 上付き(&P)
mnuHtmlText|mnuHtmlTextTT|<TT> 等幅ﾌｫﾝﾄ(&T)
mnuHtmlText|mnuHtmlTextsep2|-
mnuHtmlText|mnuHtmlTextFont|<FONT> ﾌｫﾝﾄ(&F)...
mnuHtmlText|mnuHtmlTextMidashi|<Hn> 見出し(&H)...
mnuHtmlText|mnuHtmlTextBIg|<BIG> 大きいﾌｫﾝﾄ
mnuHtmlText|mnuHtmlTextSmall|<SMALL> 小さいﾌｫﾝﾄ
mnuHtmlText|mnuHtmlTextsep3|-
mnuHtmlText|mnuHtmlTextBlink|<BLINK> 点滅文字(&B)
mnuHtmlText|mnuHtmlTextAddress|<ADRESS> アドレス(&A)
mnuHtmlText|mnuHtmlTextBlockquote|<BLOCKQUOTE> ブロック化(&Q)
mnuHtml|mnuHtmlComp|ｺﾝﾋﾟｭｰﾀ関連ﾃｷｽﾄ(&K)
mnuHtmlComp|mnuHtmlCompKbd|<KBD> 入力文字(&K)
mnuHtmlComp|mnuHtmlCompSamp|<SAMP> 出力ｻﾝﾌﾟﾙ(&S)
mnuHtmlComp|mnuHtmlCompCode|<CODE> ｿｰｽｺｰﾄﾞ(&C)
mnuHtmlComp|mnuHtmlCompVer|<VER> 変数・引数(&V)
mnuHtml|mnuHtmlTextsep4|-
mnuHtml|mnuHtmlTextHr|<HR> 罫線(&K)
mnuHtml|mnuHtmlTextKeisen|<HR> 任意罫線(&H)...
mnuHtml|mnuHtmlSep1|-
mnuHtml|mnuHtmlTable|表組み(&T)
mnuHtmlTable|mnuHtmlTableTable|<TABLE> 表(&T)...
mnuHtmlTable|mnuHtmlTableTr|<TR> ﾚｺｰﾄﾞ(&R)...
mnuHtmlTable|mnuHtmlTableTd|<TD> データ(&D)...
mnuHtmlTable|mnuHtmlTableTh|<TH> 項目見だし(&H)...
mnuHtmlTable|mnuHtmlTableCsv|表変換（ｶﾝﾏ区切り)(&C)
mnuHtml|mnuList|ﾘｽﾄ(&L)
mnuList|mnuListUl|<UL> ﾏｰｸ無しﾘｽﾄ(&U)
mnuList|mnuListUlLi|<UL><LI> ﾏｰｸ付きﾘｽﾄ(&L)
mnuList|mnuListOLLI|<OL><LI>番号付きﾘｽﾄ(&O)
mnuList|mnuListDl|<DL> 定義形式リスト(&T)
mnuHtml|mnuFrom|ﾌｫｰﾑ(&F)
mnuFrom|mnuFormForm|<FORM> ﾌｫｰﾑの定義(&F)...
mnuFrom|mnuFormInput|<INPUT>１行部品(&I)...
mnuFrom|mnuFormTextarea|<TEXTAREA> 複数行入力領域(&T)...
mnuHtml|mnuHtmlImage|ｲﾒｰｼﾞの挿入(&I)...
mnuHtml|mnuAhref|ﾘﾝｸ(&L)
mnuAhref|mnuLink|ﾘﾝｸの挿入<A href>(&A)...
mnuAhref|mnuName|名前の挿入<A name>(&N)
mnuAhref|mnuMailTo|ﾒｰﾙ送信先の挿入(&M)...
mnuHtml|mnuHtmlSep2|-
mnuHtml|mnuOther|その他(&O)
mnuOther|mnuOtherApplet|Javaｱﾌﾟﾚｯﾄ(&A)
mnuOther|mnuOtherJScript|JavaScript(&J)
mnuOther|mnuOtherVBScript|VB Script(&V)
mnuOther|mnuPerl|Perl(&P)
mnuPerl|mnuPerlPrint|Print(&P)
mnuHtml|mnuJs|JavaScript(&J)
mnuJs|mnuJsJs|JacaScript(&J)
mnuJs|mnuJsEvent|ｲﾍﾞﾝﾄ(&E)
mnuJsEvent|mnuJsEventLoad|ﾌｫｰﾑﾛｰﾄﾞ <onLead> (&L)
mnuJsEvent|mnuJsEventClick|ｸﾘｯｸ <onClick> (&C)
mnuJsEvent|mnuJsEventMouseover|ﾏｳｽｵｰﾊﾞ <onMouseover> (&M)
mnuJs|mnuJsSeigyo|制御文(&C)
mnuJsSeigyo|mnuJsIf|条件分岐<IF>(&I)
mnuJsSeigyo|mnuJsFor|<for> 繰り返し(&F)...
mnuJs|mnuJsDialog|ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽ(&B)
mnuJsDialog|mnuJsDialogAlert|警告ﾀﾞｲｱﾛｸﾞ <alert> (&A)
mnuJsDialog|mnuJsDialogConfirm|確認ﾀﾞｲｱﾛｸﾞ　<confirm> (&C)
mnuJs|mnuJsDocumentWrite|<document.write> HTMLの出力(&D)
mnuJs|mnuJsVar|<var> 変数の定義(&V)
mnuTool|mnuToolP|段落に<P></P>を付加する
mnuTool|mnuToopBr|行末に<BR>を付加する(&B)
mnuTool|mnuToolDelCR|改行ｺｰﾄﾞを除去する。(&C)
mnuTool|mnuToolHan2Zen|半角文字を全角文字に変換する(&W)
mnuTool|mnuToolSep2|-
mnuTool|mnuToolGradation|ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成(&G)
mnuTool|mnuToolDownload|ｻｰﾊﾞからHTMLｿｰｽを読込む(&U)
mnuTool|mnuToolSep1|-
mnuTool|mnuToolOption|ｵﾌﾟｼｮﾝ(&O)...
mnuWindow|mnuWindowCascade|重ねて表示(&C)
mnuWindow|mnuWindowTileHorizontal|上下に並べて表示(&H)
mnuWindow|mnuWindowTileVertical|左右に並べて表示(&V)
mnuWindow|mnuWindowArrangeIcons|ｱｲｺﾝの整列(&A)
mnuHelp|mnuHelpIndex|目次(&H)
mnuHelp|mnuHelpShow|ﾄﾋﾟｯｸの検索(&S)
mnuHelp|mnuHelpSep1|-
mnuHelp|mnuHelpAboout|ﾊﾞｰｼﾞｮﾝ情報(&H)...
mnuHelp|mnuHelpOrvine|Orvineのサイトへ
mnuHelp|mnuHelpTolvane|Tolvaneへ
mnuHelp|mnuHelpFormList|ﾌｫｰﾑtest
mnuPopupText|mnuTagEdit|編集
mnuPopupText|mnuPopViewBrowser|WWWﾌﾞﾗｳｻﾞに表示(&B)
mnuPopupText|mnuPopTool|ﾂｰﾙ(&T)
mnuPopTool|mnuPopToolBr|行末に<BR>を付加する(&B)
mnuPopTool|mnuPopToolDelCR|改行ｺｰﾄﾞを除去する(&C)
mnuPopTool|mnuPopToolHan2Zen|半角文字を全角文字に変換する(&W)
mnuPopTool|mnuPoptoolSep1|-
mnuPopTool|mnuPopToolGradeition|ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成(&G)
mnuPopTool|mnuPopToolDownload|ｻｰﾊﾞからHTMLｿｰｽを読込む(&U)
mnuPopupText|mnuPopSep|-
mnuPopupText|mnuPopInsDate|日付の挿入(&D)
mnuPopInsDate|mnuPopDate|日付のみ(&D)
mnuPopInsDate|mnuPopInsDW|日付と曜日(&W)
mnuPopupText|mnuPopSep1|-
mnuPopupText|mnuPopCut|切取り
mnuPopupText|mnuPopCopy|ｺﾋﾟｰ
mnuPopupText|mnuPopPaist|貼り付け
mnuPopupText|mnuPopEditDel|削除
mnuPopupText|mnuPopColor|色
)";

const QList<QPair<QString, QString>> Shortcuts = {
    {"mnuFileNew", "Ctrl+N"},
    {"mnuFileOpen", "Ctrl+O"},
    {"mnuFilePrint", "Ctrl+P"},
    {"mnuEditUndo", "Ctrl+Z"},
    {"mnuEditRedo", "Ctrl+Y"},
    {"mnuEditCut", "Ctrl+X"},
    {"mnuEditCopy", "Ctrl+C"},
    {"mnuEditPaste", "Ctrl+V"},
    {"mnuEditDel", "Del"},
    {"mnuEditFind", "Ctrl+F"},
    {"mnuEditGoLine", "Ctrl+J"},
    {"mnuEditMatchTag", "Ctrl+M"},
    {"mnuViewBrowser", "Ctrl+W"},
    {"mnuHtmlTextLeft", "Ctrl+L"},
    {"mnuHtmlTextRight", "Ctrl+R"},
    {"mnuHtmlTextCenter", "Ctrl+E"},
    {"mnuHtmlTextBold", "Ctrl+B"},
    {"mnuHtmlTextItlic", "Ctrl+I"},
    {"mnuHtmlTextHr", "Ctrl+K"},
    {"mnuHtmlTableCsv", "Ctrl+T"},
    {"mnuHtmlImage", "Ctrl+G"},
    // the page check's own entry
    {"mnuToolCheck", "F7"},
};

struct Placed
{
    QString menu;
    QAction *action;
};

// Every entry of the window's menus by objectName, with the menu that holds it.
QHash<QString, Placed> entriesOf(frmDocument &doc)
{
    QHash<QString, Placed> entries;
    for (QMenu *menu : doc.findChildren<QMenu *>()) {
        if (menu->objectName().isEmpty()) // the window system menu of the sub-window
            continue;
        for (QAction *action : menu->actions())
            entries.insert(action->objectName(), {menu->objectName(), action});
    }
    return entries;
}

} // namespace

using DocumentWindowTest = SpineTest;

TEST_F(DocumentWindowTest, MenusHoldEveryEntryWithItsCaptionAndShortcut)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);

    QStringList bar;
    for (QMenu *menu : doc->menuBarMenus())
        bar << menu->objectName() + QLatin1Char('|') + menu->title();
    EXPECT_EQ(bar, QStringList({"mnuFile|ﾌｧｲﾙ(&F)", "mnuEdit|編集(&E)", "mnuView|表示(&V)",
                                "mnuInsert|挿入(&I)", "mnuHtml|HTML(&H)", "mnuTool|ﾂｰﾙ(&T)",
                                "mnuWindow|ｳｨﾝﾄﾞｳ(&W)", "mnuHelp|ﾍﾙﾌﾟ(&?)"}));
    EXPECT_EQ(doc->menu(QStringLiteral("mnuPopupText"))->title(), QStringLiteral("PopupTag"));
    EXPECT_EQ(doc->menu(QStringLiteral("mnuPopup"))->title(), QStringLiteral("PopupTV"));

    const QHash<QString, Placed> entries = entriesOf(*doc);
    const QStringList lines
        = QString::fromUtf8(MenuLayout).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList field = line.split(QLatin1Char('|'));
        SCOPED_TRACE(field[1].toStdString());
        ASSERT_TRUE(entries.contains(field[1]));
        const Placed &placed = entries[field[1]];
        EXPECT_EQ(placed.menu, field[0]);
        if (field[2] == QLatin1String("-"))
            EXPECT_TRUE(placed.action->isSeparator());
        else
            EXPECT_EQ(placed.action->text(), field[2]);
    }

    QHash<QString, QString> expectedKeys;
    for (const auto &[name, key] : Shortcuts)
        expectedKeys.insert(name, key);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        EXPECT_EQ(it->action->shortcut(), QKeySequence(expectedKeys.value(it.key())));
    }
}

TEST_F(DocumentWindowTest, HiddenEntriesAtCreation)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    QStringList hidden = {"mnuHelpFormList", "mnuPopSep"};
    for (int i = 0; i <= 15; ++i)
        hidden << QStringLiteral("mnuRecentFile_%1").arg(i);
    for (int i = 1; i <= 14; ++i)
        hidden << QStringLiteral("mnuInsetrTeikeiItem_%1").arg(i);
    for (const QString &name : hidden)
        EXPECT_FALSE(doc->action(name)->isVisible()) << name.toStdString();
    EXPECT_TRUE(doc->action(QStringLiteral("mnuInsetrTeikeiItem_0"))->isVisible());
    EXPECT_FALSE(doc->menuBarMenus().contains(doc->menu(QStringLiteral("mnuPopupText"))));
}

TEST_F(DocumentWindowTest, RecentEntriesShowTheFilledListPlacesOnly)
{
    // Entries 1, 2 and 4 set, 3 empty.
    const QString files[] = {{}, path("one.htm"), path("two.htm"), {}, path("four&more.htm")};
    for (int i = 1; i <= 4; ++i)
        SettingsStore::set(QStringLiteral("Recent Files"), QStringLiteral("RecentFile%1").arg(i),
                           files[i]);
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    auto item = [doc](int i) { return doc->action(QStringLiteral("mnuRecentFile_%1").arg(i)); };
    EXPECT_TRUE(item(0)->isVisible());
    EXPECT_TRUE(item(1)->isVisible());
    EXPECT_TRUE(item(2)->isVisible());
    EXPECT_FALSE(item(3)->isVisible());
    EXPECT_TRUE(item(4)->isVisible());
    EXPECT_FALSE(item(5)->isVisible());
    EXPECT_EQ(item(2)->text(), files[2]);

    // Choosing an entry opens its file, even one whose name holds a "&".
    writeBytes(files[4], "four");
    item(4)->trigger();
    ASSERT_EQ(frame->documents().size(), 2);
    EXPECT_EQ(frame->documents().constLast()->caption(), files[4]);
}

TEST_F(DocumentWindowTest, FileMenuOffersSaveOnlyForASavedDocument)
{
    ScriptedInteraction ui;
    frmDocument *fresh = newDocument(ui);
    ASSERT_TRUE(fresh);
    emit fresh->menu(QStringLiteral("mnuFile"))->aboutToShow();
    EXPECT_FALSE(fresh->action(QStringLiteral("mnuFileSave"))->isEnabled());

    const QString file = path(QStringLiteral("saved.htm"));
    writeBytes(file, "x");
    frmDocument *saved = open(file);
    ASSERT_TRUE(saved);
    emit saved->menu(QStringLiteral("mnuFile"))->aboutToShow();
    EXPECT_TRUE(saved->action(QStringLiteral("mnuFileSave"))->isEnabled());
}

TEST_F(DocumentWindowTest, ToolMenuFollowsTheSelection)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    QMenu *tools = doc->menu(QStringLiteral("mnuTool"));
    QAction *download = doc->action(QStringLiteral("mnuToolDownload"));
    for (const bool selected : {true, false}) {
        doc->txtText->select(0, selected ? 3 : 0);
        emit tools->aboutToShow();
        for (const char *name :
             {"mnuToopBr", "mnuToolP", "mnuToolDelCR", "mnuToolHan2Zen", "mnuToolGradation"}) {
            EXPECT_EQ(doc->action(QLatin1String(name))->isEnabled(), selected) << name;
        }
        EXPECT_TRUE(download->isEnabled());
    }
}

TEST_F(DocumentWindowTest, ViewTogglesFlipTheFrameAndTheCheckMark)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    const struct
    {
        const char *entry;
        bool (frmMain::*shown)() const;
    } toggles[] = {
        {"mnuViewToolbar", &frmMain::toolBarShown},
        {"mnuViewStatusBar", &frmMain::statusBarShown},
        {"mnuViewTreeVew", &frmMain::treeViewShown},
    };
    for (const auto &t : toggles) {
        SCOPED_TRACE(t.entry);
        QAction *item = doc->action(QLatin1String(t.entry));
        emit doc->menu(QStringLiteral("mnuView"))->aboutToShow();
        EXPECT_TRUE(item->isChecked());
        item->trigger();
        EXPECT_FALSE((frame.get()->*t.shown)());
        EXPECT_FALSE(item->isChecked());
        item->trigger();
        EXPECT_TRUE((frame.get()->*t.shown)());
        EXPECT_TRUE(item->isChecked());
    }
}

TEST_F(DocumentWindowTest, CloseQuestionRoutesTheAnswer)
{
    const QString file = path(QStringLiteral("page.htm"));
    struct Case
    {
        const char *what;
        bool saved; // a document read from a file, or a new one
        bool dirty;
        Interaction::Answer answer;
        QString saveAs; // the save dialog's answer, when it is shown
        bool closes;
        QByteArray fileAfter;
    };
    const Case cases[] = {
        {"clean: no question", true, false, Interaction::Answer::Ok, {}, true, "old"},
        {"No: closes unsaved", true, true, Interaction::Answer::No, {}, true, "old"},
        {"Cancel: stays open", true, true, Interaction::Answer::Cancel, {}, false, "old"},
        // The file ends without a line break, and so does the line that replaced its last.
        {"Yes: saves in place", true, true, Interaction::Answer::Yes, {}, true, "changed"},
        {"Yes on a new page: save-as", false, true, Interaction::Answer::Yes, file, true,
         "changed\r\n"},
        {"Yes on a new page, save-as cancelled: stays open with its text", false, true,
         Interaction::Answer::Yes, QString(), false, "old"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(file, "old");
        ScriptedInteraction ui;
        frmDocument *doc = c.saved ? open(file) : newDocument(ui);
        ASSERT_TRUE(doc);
        QPointer<frmDocument> alive = doc;
        if (c.dirty)
            doc->txtText->setText(QStringLiteral("changed"));
        if (c.dirty) {
            ui.expectMessage(doc->caption()
                                 + QStringLiteral("は変更されています。\r\n保存しますか？"),
                             c.answer);
            if (!c.saved)
                ui.expectSaveFile(c.saveAs);
        }
        EXPECT_EQ(doc->close(), c.closes);
        if (c.dirty) {
            const auto &question = ui.log().constFirst().kind == ScriptedInteraction::Kind::Modal
                                       ? ui.log()[1].message
                                       : ui.log()[0].message;
            EXPECT_EQ(question.icon, Interaction::Icon::Warning);
            EXPECT_EQ(question.buttons, Interaction::Buttons::YesNoCancel);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(!alive.isNull(), !c.closes);
        EXPECT_EQ(readBytes(file), c.fileAfter);
        if (alive && c.dirty) {
            EXPECT_EQ(alive->txtText->text(), QStringLiteral("changed"));
        }
        if (alive) {
            alive->blnFlgDirty = false;
            alive->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

TEST_F(DocumentWindowTest, ChildStateFollowsResizingButNotMinimising)
{
    auto storedState = [] {
        return SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("ChildState"));
    };
    ScriptedInteraction ui;
    frmDocument *first = newDocument(ui);
    ASSERT_TRUE(first);
    EXPECT_EQ(storedState(), QStringLiteral("0"));
    first->showMinimized();
    EXPECT_EQ(storedState(), QStringLiteral("0"));
    first->showMaximized();
    EXPECT_EQ(storedState(), QStringLiteral("2"));
    EXPECT_EQ(shared().intChildState, 2);

    frmDocument *second = newDocument(ui);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->isMaximized());
}

TEST_F(DocumentWindowTest, CaretPanelShowsColumnAndLine)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    const QString longLine(40000, QLatin1Char('x'));
    doc->txtText->setText(QStringLiteral("abc\r\ndefg\r\n") + longLine);
    const struct
    {
        int start, length;
        QString panel;
    } cases[] = {
        {5, 0, QStringLiteral("0/2")}, // start of line 2
        {5, 3, QStringLiteral("3/2")}, // the selection's end counts
        {1, 0, QStringLiteral("1/1")},
        // Far beyond the old 16-bit limit.
        {11 + 39999, 1, QStringLiteral("40000/3")},
    };
    for (const auto &c : cases) {
        doc->txtText->select(c.start, c.length);
        doc->updateCaretPosition();
        EXPECT_EQ(frame->panelText(6), c.panel);
    }

    // The timer runs only while the text has the focus.
    emit doc->txtText->focusGained();
    EXPECT_TRUE(doc->Timer1->isActive());
    EXPECT_EQ(doc->Timer1->interval(), 500);
    emit doc->txtText->focusLost();
    EXPECT_FALSE(doc->Timer1->isActive());

    doc->blnFlgDirty = false;
    doc->close();
    EXPECT_EQ(frame->panelText(6), QStringLiteral("0/0"));
}

TEST_F(DocumentWindowTest, KeyboardFlagsAndShortcutsReachTheWindow)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    emit doc->txtText->keyDown(Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    EXPECT_FALSE(doc->blnCtrlKey);
    emit doc->txtText->keyDown(Qt::Key_S, Qt::ControlModifier, QString());
    EXPECT_TRUE(doc->blnCtrlKey);
    emit doc->txtText->keyPressPreview(QStringLiteral("v"));
    EXPECT_FALSE(doc->blnPasteKey);
    emit doc->txtText->keyPressPreview(QString(QChar(22)));
    EXPECT_TRUE(doc->blnPasteKey);

    // Ctrl+Enter and Alt+Enter insert their tags and no line break of their own.
    doc->txtText->setText(QString());
    QTest::keyClick(doc->txtText, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(doc->txtText, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("<BR><P>\r\n"));
}

TEST_F(DocumentWindowTest, CtrlVPastesOnceAndLeavesTheMenuPasteWorking)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));

    // The text control pastes Ctrl+V itself; the window's paste command must not paste again.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    QApplication::sendEvent(doc->txtText, &press);
    QApplication::sendEvent(doc->txtText, &release);
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("abc"));
    EXPECT_FALSE(doc->blnCtrlKey);
    EXPECT_FALSE(doc->blnPasteKey);

    doc->run(QStringLiteral("mnuEditPaste_Click"));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("abcabc"));
}

TEST_F(DocumentWindowTest, PrintingAsksThePrinterAndReportsAFailure)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    ui.expectPrint(Interaction::PrintOutcome::Cancelled);
    doc->run(QStringLiteral("mnuFilePrint_Click"));
    EXPECT_EQ(ui.lastPrompt().text, doc->txtText->text());

    ui.expectPrint(Interaction::PrintOutcome::Failed, QStringLiteral("プリンタがありません"))
        .expectMessage(
            QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> frmDocument mnuFilePrint_Click()\r\nｴﾗｰｺｰﾄﾞ >> "));
    doc->run(QStringLiteral("mnuFilePrint_Click"));
    EXPECT_TRUE(ui.lastPrompt().message.text.endsWith(QStringLiteral("\r\nプリンタがありません")));
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
}
