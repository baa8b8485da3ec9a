#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/scriptedinteraction.h"
#include "support/u8.h"
#include "tags/script/frmappletset.h"
#include "tags/script/frmjsforset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(AppletDialog, MissingFieldsAreRefusedInOrder)
{
    const struct
    {
        const char *code, *width, *height;
        const char *message;
        const char *focus;
    } cases[] = {
        {"", "1", "1", "アプレット名が入力されていません。", "txtApplet"},
        {"a", "", "", "表示幅を入力してください。", "txtWIdth"},
        {"a", "1", "", "表示高を入力してください。", "txtHeight"},
    };
    for (const auto &c : cases) {
        frmAppletSet dialog;
        dialog.show();
        dialog.txtApplet->setText(u8(c.code));
        dialog.txtWIdth->setText(u8(c.width));
        dialog.txtHeight->setText(u8(c.height));
        ScriptedInteraction ui;
        ui.expectMessage(u8(c.message));
        dialog.okButton()->click();
        EXPECT_TRUE(dialog.isCancelled()) << c.message;
        ASSERT_TRUE(dialog.focusWidget());
        EXPECT_EQ(dialog.focusWidget()->objectName(), u8(c.focus));
    }
}

TEST(AppletDialog, OkBuildsTheElementAndButtonsFillTheName)
{
    frmAppletSet dialog;
    dialog.setBasePath(u8("/site/page.html"));
    ScriptedInteraction ui;
    ui.expectOpenFile(u8("/site/java/Clock.CLASS"));
    dialog.cmdRef->click();
    EXPECT_EQ(dialog.txtApplet->text(), u8("java/Clock.CLASS"));
    dialog.Command1->click();
    EXPECT_EQ(dialog.txtApplet->text(), u8("java/clock.class"));
    dialog.txtWIdth->setText(u8("100"));
    dialog.txtHeight->setText(u8("50"));
    dialog.txtParamName[4]->setText(u8("speed"));
    dialog.txtParamValue[4]->setText(u8("3"));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(),
              u8("<APPLET code=\"java/clock.class\" width=\"100\" height=\"50\">\r\n"
                 "\t<PARAM name=\"speed\" VALUE=\"3\">\r\n</APPLET>"));
}

TEST(ForDialog, PreviewFollowsTheFields)
{
    frmJsForSet dialog;
    EXPECT_EQ(dialog.lblFor->text(), u8("for( i = 0 ; i  <= 10 ; i++ )"));
    EXPECT_TRUE(dialog.chkZouka->isChecked());
    EXPECT_EQ(dialog.cmbJouken->currentText(), u8("以下"));
    EXPECT_EQ(dialog.okButton()->text(), u8("ＯＫ"));
    dialog.txtHensu->setText(u8("j"));
    dialog.txtSyokichi->setText(u8("1"));
    dialog.cmbJouken->setCurrentIndex(1);
    dialog.txtOwari->setText(u8("5"));
    EXPECT_EQ(dialog.lblFor->text(), u8("for( j = 1 ; j < 5 ; j++ )"));
    dialog.chkZouka->setChecked(false);
    dialog.txtZougen->setText(u8("100000"));
    EXPECT_EQ(dialog.lblFor->text(), u8("for( j = 1 ; j < 5 ; j = j - 100000 )"));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(), u8("for( j = 1 ; j < 5 ; j = j - 100000 )"));
}

TEST(ForDialog, LettersInANumberBoxAreReportedAndThePreviewStays)
{
    frmJsForSet dialog;
    dialog.txtOwari->setText(u8("20"));
    const QString good = dialog.lblFor->text();
    for (QLineEdit *box : {dialog.txtSyokichi, dialog.txtOwari, dialog.txtZougen}) {
        ScriptedInteraction ui;
        ui.expectMessage(u8("数値のみしか入力できません。"));
        box->setText(u8("1x"));
        EXPECT_EQ(ui.lastPrompt().message.title, u8("frmJsForset txtSyokichi_Change"));
        EXPECT_EQ(dialog.lblFor->text(), good);
        box->setText(QString::number(0));
        box->setText(box == dialog.txtOwari    ? u8("20")
                     : box == dialog.txtZougen ? u8("1")
                                               : u8("0"));
    }
    EXPECT_EQ(dialog.lblFor->text(), u8("for( i = 0 ; i <= 20 ; i++ )"));
}

class ScriptCommands : public ReEditTest
{
protected:
    // Runs `handler` on `content` with [start, start + length) selected.
    QString run(const char *handler, const QString &content, int start, int length)
    {
        text().setText(content);
        text().select(start, length);
        EXPECT_TRUE(doc->run(u8(handler))) << handler;
        return text().text();
    }
};

TEST_F(ScriptCommands, WrappersSelectTheOldTextAgainAtAnyOffset)
{
    const QString far = QString(70000, QLatin1Char('x'));
    const struct
    {
        const char *handler;
        const char *selected;
        const char *opening, *closing;
    } cases[] = {
        {"mnuJsDialogAlert_Click", "abc", "alert( \"", "\" );"},
        {"mnuJsDialogAlert_Click", "", "alert( \"", "\" );"},
        {"mnuJsDialogConfirm_Click", "ok?", "confirm( \"", "\" );"},
        {"mnuJsDocumentWrite_Click", "<B>x</B>", "document.write( \"", "\" );\r\n"},
        {"mnuJsEventLoad_Click", "init()", "onLoad='", "'"},
        {"mnuJsEventClick_Click", "doIt()", "onClick='", "'"},
        {"mnuJsEventMouseover_Click", "", "onMouseover='", "'"},
    };
    for (const auto &c : cases) {
        for (const QString &before : {u8("a "), far}) {
            const QString selected = u8(c.selected);
            const QString after = run(c.handler, before + selected + u8(" z"), int(before.size()),
                                      int(selected.size()));
            EXPECT_EQ(after, before + u8(c.opening) + selected + u8(c.closing) + u8(" z"))
                << c.handler;
            EXPECT_EQ(text().selStart(), before.size() + qstrlen(c.opening)) << c.handler;
            EXPECT_EQ(text().selText(), selected) << c.handler;
        }
    }
}

TEST_F(ScriptCommands, BlocksAndKeywordsReplaceTheSelection)
{
    const struct
    {
        const char *handler;
        const char *after;
    } cases[] = {
        {"mnuOtherJScript_Click",
         "a<SCRIPT Language=\"JavaScript\">\r\n<!-- \r\n\r\n\r\n// -->\r\n</SCRIPT>\r\nc"},
        {"mnuJsJs_Click",
         "a<SCRIPT Language=\"JavaScript\">\r\n<!-- \r\n\r\n\r\n// -->\r\n</SCRIPT>\r\nc"},
        {"mnuOtherVBScript_Click",
         "a<SCRIPT LANGUAGE=\"VBScript\">\r\n<!-- **** VBScriptが使えないブラウザに対してコメントアウト ****"
         "\r\n\r\n**** コメントアウト終り **** -->\r\n</SCRIPT>\r\nc"},
        {"mnuPerlPrint_Click", "aprint \"b\";\r\nc"},
        {"mnuJsIf_Click", "aif (  ){\r\n\r\n}\r\nelse{\r\n\r\n}\r\nc"},
        {"mnuJsVar_Click", "avar c"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(run(c.handler, u8("abc"), 1, 1), u8(c.after)) << c.handler;
}

TEST_F(ScriptCommands, ForDialogSetsTheLoop)
{
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmJsForSet"), [](QDialog &d) {
        setControlText(d, u8("txtHensu"), u8("k"));
        clickControl(d, u8("cmdOk"));
    });
    ui.expectDialog(u8("frmJsForSet"), [](QDialog &d) { clickControl(d, u8("cmdCancel")); });
    EXPECT_EQ(run("mnuJsFor_Click", u8("ab"), 1, 0),
              u8("afor( k = 0 ; k <= 10 ; k++ ){\r\n\r\n};b"));
    EXPECT_EQ(run("mnuJsFor_Click", u8("ab"), 1, 0), u8("ab"));
}

TEST_F(ScriptCommands, AppletAsksANewDocumentToBeSavedFirst)
{
    ScriptedInteraction ui;
    ui.expectMessage(u8("保存しますか？"), Interaction::Answer::No);
    EXPECT_EQ(run("mnuOtherApplet_Click", u8("ab"), 1, 0), u8("ab"));

    doc->strFileName = u8("/site/index.html");
    ui.expectDialog(u8("frmAppletSet"), [](QDialog &d) {
        setControlText(d, u8("txtApplet"), u8("Clock.class"));
        setControlText(d, u8("txtWIdth"), u8("100"));
        setControlText(d, u8("txtHeight"), u8("50"));
        setControlText(d, u8("txtParamName_0"), u8("speed"));
        setControlText(d, u8("txtParamValue_0"), u8("3"));
        clickControl(d, u8("cmdOk"));
    });
    EXPECT_EQ(run("mnuOtherApplet_Click", u8("ab"), 1, 0),
              u8("a<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
                 "\t<PARAM name=\"speed\" VALUE=\"3\">\r\n</APPLET>b"));
}

} // namespace
