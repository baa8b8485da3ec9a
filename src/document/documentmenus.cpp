#include "document/documentmenus.h"

#include <QString>
#include <QStringList>

namespace {

QList<MenuEntry> buildTable()
{
    MenuTableBuilder t;

    t.add(0, "mnuFile", "ﾌｧｲﾙ(&F)")
        .add(1, "mnuFileNew", "新規作成(&N)", "Ctrl+N")
        .add(1, "mnuFileOpen", "開く(&O)...", "Ctrl+O")
        .add(1, "mnuFileClose", "閉じる(&C)")
        .add(1, "mnuFileSep1", "-")
        .add(1, "mnuFileSave", "上書き保存(&S)")
        .add(1, "mnuFileAdd", "名前を付けて保存(&A)...")
        .add(1, "mnuFileReopenEncoding", "文字コードを指定して開き直す")
        .add(1, "mnuFileSaveEncoding", "文字コードを指定して保存")
        .add(1, "mnufileSep3", "-")
        .add(1, "mnuFilePrint", "印刷(&P)...", "Ctrl+P")
        .array(1, "mnuRecentFile",
               {"-", "RecentFile1", "RecentFile2", "RecentFile3", "RecentFile4", "RecentFile5",
                "RecentFile6", "RecentFile7", "RecentFile8", "", "", "", "", "", "", ""},
               0)
        .add(1, "mnuFileSep2", "-")
        .add(1, "mnuFileEnd", "終了(&X)");

    t.add(0, "mnuEdit", "編集(&E)")
        .add(1, "mnuEditUndo", "元に戻す(&U)", "Ctrl+Z")
        .add(1, "mnuEditRedo", "やり直し(&R)", "Ctrl+Y")
        .add(1, "mnuEditSep0", "-")
        .add(1, "mnuEditCut", "切取り(&T)", "Ctrl+X")
        .add(1, "mnuEditCopy", "ｺﾋﾟｰ(&C)", "Ctrl+C")
        .add(1, "mnuEditPaste", "貼り付け(&P)", "Ctrl+V")
        .add(1, "mnuEditDel", "削除", "Del")
        .add(1, "mnuEditSep1", "-")
        .add(1, "mnuEditFind", "検索と置換(&S)...", "Ctrl+F")
        .add(1, "mnuEditSiteFind", "フォルダ内の検索・置換...");

    t.add(0, "mnuView", "表示(&V)")
        .add(1, "mnuViewToolbar", "ﾂｰﾙﾊﾞｰ(&T)")
        .add(1, "mnuViewStatusBar", "ｽﾃｰﾀｽﾊﾞｰ(&B)")
        .add(1, "mnuViewTreeVew", "ﾂﾘｰﾋﾞｭｰ(&T)")
        .add(1, "mnuViewSpaceMarks", "全角スペース・タブを表示")
        .add(1, "mnuViewSep1", "-")
        .add(1, "mnuViewTagColor", "ﾀｸﾞの色を再表示する(&C)")
        .add(1, "mnuViewSep2", "-")
        .add(1, "mnuViewBrowser", "WWWﾌﾞﾗｳｻﾞに表示(&B)", "Ctrl+W")
        .add(1, "mnuViewExplorer", "ｴｸｽﾌﾟﾛｰﾗ(&E)")
        .add(1, "mnuViewLivePreview", "ライブプレビュー(&L)");

    t.add(0, "mnuInsert", "挿入(&I)")
        .add(1, "mnuInsDate", "今日の日付(&D)")
        .add(2, "mnuInsertDate", "日付のみ(&D)")
        .add(2, "mnuInsertDW", "日付と曜日(&W)")
        .add(1, "mnuInsertTime", "現在の時間(&T)")
        .add(1, "mnuInsertChar", "特殊文字(&C)")
        .array(2, "mnuInsertCharS", {" ＜", " ＞", " ”", " ＆"})
        .add(1, "mnuInsertSep1", "-")
        .add(1, "mniInsertTeikei", "定型文(&B)")
        .array(2, "mnuInsetrTeikeiItem",
               {"（なし）", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}, 1)
        .add(1, "mnuInsertTeikeiSet", "定型文の設定(&S)");

    t.add(0, "mnuHtml", "HTML(&H)")
        .add(1, "mnuHtmlPage", "書式(&P)")
        .add(2, "mnuHtmlPageDocType", "<!DOCTYPE>　HTMLのﾊﾞｰｼﾞｮﾝ(&V)")
        .array(3, "mnuHtmlPageDoctupeVer",
               {"HTML3.2 (&3)", "HTML4.0 Strict (&S)", "HTML4.0 Transitional (&T)",
                "HTML4.0 Frameset (&F)"})
        .add(2, "mnuHtmlPageHtml", "<HTML> ＨＴＭＬﾌｧｲﾙ(&H)")
        .add(2, "mnuHtmlPageHead", "<HEAD> ﾍｯﾀﾞｰ(&H)")
        .add(2, "mnuHtmlPageBody", "<BODY> ﾎﾞﾃﾞｨ(&B)...")
        .add(2, "mnuFrame", "<FRAMESETR> ﾌﾚｰﾑ.(&F)...")
        .add(2, "mnuHtmlPageSep1", "-")
        .add(2, "mnuHtmlBaseHref", "<BASE href> 基準ＵＲＬ(&B)...")
        .add(2, "mnuHtmlMetaName", "<META name> 説明を入れる(&M)")
        .add(3, "mnuHtmlMateNameAuthor", "<author> 製作者名(&A)")
        .add(3, "mnuHtmlMetaNameDiscription", "<description> 内容の説明(&D)")
        .add(3, "mnuHtmlMetaNameKeyword", "<keyword> ｷｰﾜｰﾄﾞ(&K)")
        .add(2, "mnuHtmlMetaRefresh", "<META refresh> 自動読込(&R)...")
        .add(2, "mnuHtmlPageTitle", "<TITLE> ﾀｲﾄﾙ(&T)")
        .add(1, "mnuHtmlTextSep1", "-")
        .add(1, "mnuTextPara", "段落(&P)")
        .add(2, "mnuHtmlTextParagraph", "<P> 段落(&P)")
        .add(2, "mnuHtmlTextParagraph2", "<P></P> 段落(&D) ")
        .add(2, "mnuHtmlTextBr", "<BR> 改行(&R)")
        .add(2, "mnuHtmlTextWbr", "<WBR> 弱い改行(&W)")
        .add(2, "mnuHtmlTextNobr", "<NOBR> 改行禁止(&N)")
        .add(2, "mnuHtmlPagePre", "<PRE> 編集済みﾃｷｽﾄ")
        .add(1, "mnuHtmlsep3", "-")
        .add(1, "mnuHtmlDiv", "<DIV> 位置(&D)")
        .add(2, "mnuHtmlTextLeft", "左揃え(&L)", "Ctrl+L")
        .add(2, "mnuHtmlTextRight", "右揃え(&R)", "Ctrl+R")
        .add(2, "mnuHtmlTextDivCenter", "中央揃え(&C)")
        .add(2, "mnuHtmlTextCenter", "<CENTER>　中央揃え(&C)", "Ctrl+E")
        .add(1, "mnuHtmlSep4", "-")
        .add(1, "mnuHtmlPageComment", "ｺﾒﾝﾄ(&C)")
        .add(1, "mnuHtmlText", "書体(&X)")
        .add(2, "mnuHtmlTextBold", "<B> 強調(&B)", "Ctrl+B")
        .add(2, "mnuHtmlTextItlic", "<I> ｲﾀﾘｯｸ(&I)", "Ctrl+I")
        .add(2, "mnuHtmlTextUnderLine", "<U> 下線(&U)")
        .add(2, "mnuHtmlTextS", "<S> 打消し線(&S)")
        .add(2, "mnuHtmlTextSub", "<SUB> 下付き(&C)")
        .add(2, "mnuHtmlTextSup", "<SUP> 上付き(&P)")
        .add(2, "mnuHtmlTextTT", "<TT> 等幅ﾌｫﾝﾄ(&T)")
        .add(2, "mnuHtmlTextsep2", "-")
        .add(2, "mnuHtmlTextFont", "<FONT> ﾌｫﾝﾄ(&F)...")
        .add(2, "mnuHtmlTextMidashi", "<Hn> 見出し(&H)...")
        .add(2, "mnuHtmlTextBIg", "<BIG> 大きいﾌｫﾝﾄ")
        .add(2, "mnuHtmlTextSmall", "<SMALL> 小さいﾌｫﾝﾄ")
        .add(2, "mnuHtmlTextsep3", "-")
        .add(2, "mnuHtmlTextBlink", "<BLINK> 点滅文字(&B)")
        .add(2, "mnuHtmlTextAddress", "<ADRESS> アドレス(&A)")
        .add(2, "mnuHtmlTextBlockquote", "<BLOCKQUOTE> ブロック化(&Q)")
        .add(1, "mnuHtmlComp", "ｺﾝﾋﾟｭｰﾀ関連ﾃｷｽﾄ(&K)")
        .add(2, "mnuHtmlCompKbd", "<KBD> 入力文字(&K)")
        .add(2, "mnuHtmlCompSamp", "<SAMP> 出力ｻﾝﾌﾟﾙ(&S)")
        .add(2, "mnuHtmlCompCode", "<CODE> ｿｰｽｺｰﾄﾞ(&C)")
        .add(2, "mnuHtmlCompVer", "<VER> 変数・引数(&V)")
        .add(1, "mnuHtmlTextsep4", "-")
        .add(1, "mnuHtmlTextHr", "<HR> 罫線(&K)", "Ctrl+K")
        .add(1, "mnuHtmlTextKeisen", "<HR> 任意罫線(&H)...")
        .add(1, "mnuHtmlSep1", "-")
        .add(1, "mnuHtmlTable", "表組み(&T)")
        .add(2, "mnuHtmlTableTable", "<TABLE> 表(&T)...")
        .add(2, "mnuHtmlTableTr", "<TR> ﾚｺｰﾄﾞ(&R)...")
        .add(2, "mnuHtmlTableTd", "<TD> データ(&D)...")
        .add(2, "mnuHtmlTableTh", "<TH> 項目見だし(&H)...")
        .add(2, "mnuHtmlTableCsv", "表変換（ｶﾝﾏ区切り)(&C)", "Ctrl+T")
        .add(1, "mnuList", "ﾘｽﾄ(&L)")
        .add(2, "mnuListUl", "<UL> ﾏｰｸ無しﾘｽﾄ(&U)")
        .add(2, "mnuListUlLi", "<UL><LI> ﾏｰｸ付きﾘｽﾄ(&L)")
        .add(2, "mnuListOLLI", "<OL><LI>番号付きﾘｽﾄ(&O)")
        .add(2, "mnuListDl", "<DL> 定義形式リスト(&T)")
        .add(1, "mnuFrom", "ﾌｫｰﾑ(&F)")
        .add(2, "mnuFormForm", "<FORM> ﾌｫｰﾑの定義(&F)...")
        .add(2, "mnuFormInput", "<INPUT>１行部品(&I)...")
        .add(2, "mnuFormTextarea", "<TEXTAREA> 複数行入力領域(&T)...")
        .add(1, "mnuHtmlImage", "ｲﾒｰｼﾞの挿入(&I)...", "Ctrl+G")
        .add(1, "mnuAhref", "ﾘﾝｸ(&L)")
        .add(2, "mnuLink", "ﾘﾝｸの挿入<A href>(&A)...")
        .add(2, "mnuName", "名前の挿入<A name>(&N)")
        .add(2, "mnuMailTo", "ﾒｰﾙ送信先の挿入(&M)...")
        .add(1, "mnuHtmlSep2", "-")
        .add(1, "mnuOther", "その他(&O)")
        .add(2, "mnuOtherApplet", "Javaｱﾌﾟﾚｯﾄ(&A)")
        .add(2, "mnuOtherJScript", "JavaScript(&J)")
        .add(2, "mnuOtherVBScript", "VB Script(&V)")
        .add(2, "mnuPerl", "Perl(&P)")
        .add(3, "mnuPerlPrint", "Print(&P)")
        .add(1, "mnuJs", "JavaScript(&J)")
        .add(2, "mnuJsJs", "JacaScript(&J)")
        .add(2, "mnuJsSep1", "-")
        .add(2, "mnuJsEvent", "ｲﾍﾞﾝﾄ(&E)")
        .add(3, "mnuJsEventLoad", "ﾌｫｰﾑﾛｰﾄﾞ <onLead> (&L)")
        .add(3, "mnuJsEventClick", "ｸﾘｯｸ <onClick> (&C)")
        .add(3, "mnuJsEventMouseover", "ﾏｳｽｵｰﾊﾞ <onMouseover> (&M)")
        .add(2, "mnuJsSeigyo", "制御文(&C)")
        .add(3, "mnuJsIf", "条件分岐<IF>(&I)")
        .add(3, "mnuJsSeigyoSep1", "-")
        .add(3, "mnuJsFor", "<for> 繰り返し(&F)...")
        .add(2, "mnuJsDialog", "ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽ(&B)")
        .add(3, "mnuJsDialogAlert", "警告ﾀﾞｲｱﾛｸﾞ <alert> (&A)")
        .add(3, "mnuJsDialogConfirm", "確認ﾀﾞｲｱﾛｸﾞ　<confirm> (&C)")
        .add(2, "mnuJsDocumentWrite", "<document.write> HTMLの出力(&D)")
        .add(2, "mnuJsVar", "<var> 変数の定義(&V)");

    t.add(0, "mnuTool", "ﾂｰﾙ(&T)")
        .add(1, "mnuToolP", "段落に<P></P>を付加する")
        .add(1, "mnuToopBr", "行末に<BR>を付加する(&B)")
        .add(1, "mnuToolDelCR", "改行ｺｰﾄﾞを除去する。(&C)")
        .add(1, "mnuToolHan2Zen", "半角文字を全角文字に変換する(&W)")
        .add(1, "mnuToolSep2", "-")
        .add(1, "mnuToolGradation", "ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成(&G)")
        .add(1, "mnuToolDownload", "ｻｰﾊﾞからHTMLｿｰｽを読込む(&U)")
        .add(1, "mnuToolCheck", "ページの検査", "F7")
        .add(1, "mnuToolSep1", "-")
        .add(1, "mnuToolOption", "ｵﾌﾟｼｮﾝ(&O)...");

    t.add(0, "mnuWindow", "ｳｨﾝﾄﾞｳ(&W)")
        .add(1, "mnuWindowCascade", "重ねて表示(&C)")
        .add(1, "mnuWindowTileHorizontal", "上下に並べて表示(&H)")
        .add(1, "mnuWindowTileVertical", "左右に並べて表示(&V)")
        .add(1, "mnuWindowArrangeIcons", "ｱｲｺﾝの整列(&A)");

    t.add(0, "mnuHelp", "ﾍﾙﾌﾟ(&?)")
        .add(1, "mnuHelpIndex", "目次(&H)")
        .add(1, "mnuHelpShow", "ﾄﾋﾟｯｸの検索(&S)")
        .add(1, "mnuHelpSep1", "-")
        .add(1, "mnuHelpAboout", "ﾊﾞｰｼﾞｮﾝ情報(&H)...")
        .add(1, "mnuHelpOrvine", "Orvineのサイトへ")
        .add(1, "mnuHelpTolvane", "Tolvaneへ")
        .hidden(1, "mnuHelpFormList", "ﾌｫｰﾑtest");

    // The text's context menu.
    t.hidden(0, "mnuPopupText", "PopupTag")
        .add(1, "mnuTagEdit", "編集")
        .alias(1, "mnuPopViewBrowser", "WWWﾌﾞﾗｳｻﾞに表示(&B)", "mnuViewBrowser_Click")
        .add(1, "mnuPopTool", "ﾂｰﾙ(&T)")
        .alias(2, "mnuPopToolBr", "行末に<BR>を付加する(&B)", "mnuToopBr_Click")
        .alias(2, "mnuPopToolDelCR", "改行ｺｰﾄﾞを除去する(&C)", "mnuToolDelCR_Click")
        .alias(2, "mnuPopToolHan2Zen", "半角文字を全角文字に変換する(&W)", "mnuToolHan2Zen_Click")
        .add(2, "mnuPoptoolSep1", "-")
        .alias(2, "mnuPopToolGradeition", "ｸﾞﾗﾃﾞｰｼｮﾝ文字の作成(&G)", "mnuToolGradation_Click")
        .alias(2, "mnuPopToolDownload", "ｻｰﾊﾞからHTMLｿｰｽを読込む(&U)", "mnuToolDownload_Click")
        .hidden(1, "mnuPopSep", "-")
        .add(1, "mnuPopInsDate", "日付の挿入(&D)")
        .alias(2, "mnuPopDate", "日付のみ(&D)", "mnuInsertDate_Click")
        .alias(2, "mnuPopInsDW", "日付と曜日(&W)", "mnuInsertDW_Click")
        .add(1, "mnuPopSep1", "-")
        .add(1, "mnuPopCut", "切取り")
        .add(1, "mnuPopCopy", "ｺﾋﾟｰ")
        .alias(1, "mnuPopPaist", "貼り付け", "mnuEditPaste_Click")
        .alias(1, "mnuPopEditDel", "削除", "mnuEditDel_Click")
        .alias(1, "mnuPopColor", "色", "");

    // The explorer pane's context menu while a document window is active.
    t.hidden(0, "mnuPopup", "PopupTV")
        .add(1, "mnuPopUrl", "ﾘﾝｸの挿入(&L)")
        .add(1, "mnuPopOpen", "ﾌｧｲﾙの編集(&O)")
        .add(1, "mnuPopImage", "ｲﾒｰｼﾞの挿入(&I)")
        .add(1, "mnuPopImageEdit", "ｲﾒｰｼﾞの編集(&E)")
        .add(1, "mnuPopExplorer", "ｴｸｽﾌﾟﾛｰﾗ(&X)")
        .add(1, "mnuPopCheckFolder", "フォルダを検査")
        .add(1, "mnuPopSiteFind", "フォルダ内の検索・置換...");

    return t.take();
}

} // namespace

const QList<MenuEntry> &documentMenuTable()
{
    static const QList<MenuEntry> table = buildTable();
    return table;
}
