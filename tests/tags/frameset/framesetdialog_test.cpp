#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/scriptedinteraction.h"
#include "support/u8.h"
#include "tags/frameset/frmframeset.h"
#include "tags/shared/tagedit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

TEST(FrameDialog, LoadsWithItsDefaults)
{
    frmFrameSet dialog;
    EXPECT_EQ(dialog.windowTitle(), u8("フレームの設定"));
    EXPECT_TRUE(dialog.optRC[0]->isChecked());
    EXPECT_EQ(dialog.txtHiritsu->text(), u8("50"));
    EXPECT_EQ(dialog.Slider1->value(), 50);
    EXPECT_EQ(dialog.Slider1->maximum(), 100);
    EXPECT_TRUE(dialog.chkPersent->isChecked());
    EXPECT_EQ(dialog.Label5->text(), u8("100"));
    EXPECT_EQ(dialog.txtName1->text(), u8("HTML-1"));
    EXPECT_EQ(dialog.txtName2->text(), u8("HTML-2"));
    EXPECT_TRUE(dialog.lblUrl1->text().startsWith(u8("HTML-1")));
}

TEST(FrameDialog, RatioTextSliderAndScaleFollowEachOther)
{
    frmFrameSet dialog;
    dialog.Slider1->setValue(30);
    EXPECT_EQ(dialog.txtHiritsu->text(), u8("30"));
    dialog.txtHiritsu->setText(u8("70"));
    EXPECT_EQ(dialog.Slider1->value(), 70);

    dialog.chkPersent->setChecked(false);
    EXPECT_EQ(dialog.Slider1->maximum(), 500);
    EXPECT_EQ(dialog.Label4->text(), u8("250"));
    EXPECT_EQ(dialog.Label5->text(), u8("500"));
    dialog.txtHiritsu->setText(u8("300"));
    EXPECT_EQ(dialog.Slider1->value(), 300);
    // Beyond the slider: the text stays as typed, the slider stands at its end.
    dialog.txtHiritsu->setText(u8("800"));
    EXPECT_EQ(dialog.Slider1->value(), 500);
    EXPECT_EQ(dialog.txtHiritsu->text(), u8("800"));
    // Not a number: nothing moves, nothing breaks.
    dialog.txtHiritsu->setText(u8("99999999999999999999"));
    dialog.txtHiritsu->setText(u8("abc"));
    EXPECT_EQ(dialog.Slider1->value(), 500);

    dialog.txtHiritsu->setText(u8("300"));
    dialog.chkPersent->setChecked(true);
    EXPECT_EQ(dialog.txtHiritsu->text(), u8("99"));
    EXPECT_EQ(dialog.Slider1->maximum(), 100);
    EXPECT_EQ(dialog.Label4->text(), u8("50"));
}

TEST(FrameDialog, RefusalsInTheirOrder)
{
    const struct
    {
        const char *name;
        const char *name1, *name2, *url1, *url2, *ratio;
        bool percent;
        const char *message;
        const char *field;
    } cases[] = {
        {"second name before urls", "a", "", "", "", "50", true, "フレーム名が未入力です。",
         "txtName2"},
        {"first name", "", "b", "x", "y", "50", true, "フレーム名が未入力です。", "txtName1"},
        {"first url", "a", "b", "", "y", "50", true, "ＵＲＬが未入力です。", "txtUrl1"},
        {"second url", "a", "b", "x", "", "50", true, "ＵＲＬが未入力です。", "txtUrl2"},
        {"ratio not a number", "a", "b", "x", "y", "五十", true, "分割比率は 0 から 100 まで",
         "txtHiritsu"},
        {"pixels beyond range", "a", "b", "x", "y", "4294967296", false,
         "分割比率は 0 から 100000 まで", "txtHiritsu"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        frmFrameSet dialog;
        dialog.show();
        dialog.chkPersent->setChecked(c.percent);
        dialog.txtName1->setText(u8(c.name1));
        dialog.txtName2->setText(u8(c.name2));
        dialog.txtUrl1->setText(u8(c.url1));
        dialog.txtUrl2->setText(u8(c.url2));
        dialog.txtHiritsu->setText(u8(c.ratio));
        ScriptedInteraction ui;
        ui.expectMessage(u8(c.message));
        dialog.okButton()->click();
        EXPECT_EQ(ui.pendingCount(), 0);
        EXPECT_EQ(ui.lastPrompt().message.title, u8("フレームの設定"));
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.resultString(), u8("Cancel"));
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), u8(c.field));
    }
}

TEST(FrameDialog, ReferenceButtonsWriteRelativePagesAndLowerCase)
{
    frmFrameSet dialog;
    dialog.setBasePath(u8("/site/index.html"));
    ScriptedInteraction ui;
    ui.expectOpenFile(u8("/site/Pages/Menu.html")).expectOpenFile(QString());
    dialog.cmdRef1->click();
    EXPECT_EQ(dialog.txtUrl1->text(), u8("Pages/Menu.html"));
    EXPECT_TRUE(ui.log().first().file.filter.startsWith(u8("HTMLﾌｧｲﾙ(*.html;*.htm)")));
    dialog.txtUrl2->setText(u8("Main.HTML"));
    dialog.cmdRef2->click(); // cancelled: the box keeps its text
    EXPECT_EQ(dialog.txtUrl2->text(), u8("Main.HTML"));
    dialog.cmdLcase->click();
    EXPECT_EQ(dialog.txtUrl1->text(), u8("pages/menu.html"));
    EXPECT_EQ(dialog.txtUrl2->text(), u8("main.html"));
    EXPECT_TRUE(dialog.lblUrl2->text().endsWith(u8("main.html")));
}

class FrameCommand : public ReEditTest
{
protected:
    QString doubleClick(const QString &content, const QString &tag,
                        const ScriptedInteraction::DialogScript &script)
    {
        const int at = int(content.indexOf(tag));
        EXPECT_GE(at, 0);
        text().setText(content);
        text().select(at + 1, 0);
        ScriptedInteraction ui;
        ui.expectDialog(u8("frmFrameSet"), script);
        SelectTagAtCaret(*doc);
        EXPECT_EQ(ui.pendingCount(), 0);
        return text().text();
    }
};

TEST_F(FrameCommand, NewDocumentIsOfferedASaveFirst)
{
    doc->strFileName = u8("NewHtml");
    text().setText(u8("x"));
    ScriptedInteraction ui;
    ui.expectMessage(u8("保存しますか"), Interaction::Answer::No);
    EXPECT_TRUE(doc->run(u8("mnuFrame_Click")));
    EXPECT_EQ(text().text(), u8("x"));
    EXPECT_EQ(ui.pendingCount(), 0);
}

TEST_F(FrameCommand, InsertsTheElementAlone)
{
    doc->strFileName = u8("/site/index.html");
    text().setText(u8("<HTML>\r\n</HTML>"));
    text().select(8, 0);
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmFrameSet"), [](QDialog &d) {
        setControlText(d, u8("txtUrl1"), u8("a.html"));
        setControlText(d, u8("txtUrl2"), u8("b.html"));
        setControlText(d, u8("txtHiritsu"), u8("30"));
        clickControl(d, u8("cmdOK"));
    });
    EXPECT_TRUE(doc->run(u8("mnuFrame_Click")));
    EXPECT_EQ(
        text().text(),
        u8("<HTML>\r\n<FRAMESET cols=\"30%,70%\">\r\n\t<FRAME name=\"HTML-1\" SRC=\"a.html\">\r\n"
           "\t<FRAME name=\"HTML-2\" SRC=\"b.html\">\r\n</FRAMESET></HTML>"));
}

TEST_F(FrameCommand, HiddenHelpEntryShowsTheDialogAndInsertsNothing)
{
    doc->strFileName = u8("/site/index.html");
    text().setText(u8("<HTML>"));
    for (const char *button : {"cmdOK", "cmdCancel"}) {
        ScriptedInteraction ui;
        ui.expectDialog(u8("frmFrameSet"), [button](QDialog &d) {
            setControlText(d, u8("txtUrl1"), u8("a.html"));
            setControlText(d, u8("txtUrl2"), u8("b.html"));
            clickControl(d, QString::fromUtf8(button));
        });
        EXPECT_TRUE(doc->run(u8("mnuHelpFormList_Click")));
        EXPECT_EQ(text().text(), u8("<HTML>")) << button;
        EXPECT_EQ(ui.pendingCount(), 0) << button;
    }
}

TEST_F(FrameCommand, ReEditFromHandWrittenFramesets)
{
    doc->strFileName = u8("/site/index.html");
    const struct
    {
        const char *name;
        const char *element;
        const char *option;
        const char *ratio;
        bool percent;
        const char *after; // after OK unchanged
    } cases[] = {
        {"percent",
         "<frameset cols=\"30%,70%\">\r\n  <frame name=\"m\" src=\"menu.html\">\r\n  <frame name=\"b\" src=\"main.html\">\r\n</frameset>",
         "optRC_0", "30", true,
         "<FRAMESET cols=\"30%,70%\">\r\n\t<FRAME name=\"m\" SRC=\"menu.html\">\r\n\t<FRAME name=\"b\" SRC=\"main.html\">\r\n</FRAMESET>"},
        {"star first",
         "<FRAMESET COLS=\"*,70%\" border=0><FRAME SRC=a.html NAME=a scrolling=no><FRAME SRC=b.html NAME=b noresize></FRAMESET>",
         "optRC_0", "30", true,
         "<FRAMESET cols=\"30%,70%\" border=0>\r\n\t<FRAME name=\"a\" SRC=\"a.html\" scrolling=no>\r\n\t<FRAME name=\"b\" SRC=\"b.html\" noresize>\r\n</FRAMESET>"},
        {"rows in pixels with noframes",
         "<frameset rows=\"100,*\">\r\n<frame name='t' src='top.html'>\r\n<frame name='本文' src='本文.html'>\r\n<noframes>見られません</noframes>\r\n</frameset>",
         "optRC_1", "100", false,
         "<FRAMESET rows=\"100,*\">\r\n\t<FRAME name=\"t\" SRC=\"top.html\">\r\n\t<FRAME name=\"本文\" SRC=\"本文.html\">\r\n<noframes>見られません</noframes>\r\n</FRAMESET>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString element = u8(c.element);
        const QString content = u8("<HTML>\r\n") + element + u8("\r\n</HTML>");
        QString after = doubleClick(content, element, [&c](QDialog &d) {
            EXPECT_TRUE(isChecked(d, u8(c.option)));
            EXPECT_EQ(controlText(d, u8("txtHiritsu")), u8(c.ratio));
            EXPECT_EQ(isChecked(d, u8("chkPersent")), c.percent);
            clickControl(d, u8("cmdOK"));
        });
        EXPECT_EQ(after, u8("<HTML>\r\n") + u8(c.after) + u8("\r\n</HTML>"));
        after = doubleClick(content, element, [](QDialog &d) { clickControl(d, u8("cmdCancel")); });
        EXPECT_EQ(after, content);
        // The rewritten element comes back unchanged through the dialog.
        const QString rewritten = u8("<HTML>\r\n") + u8(c.after) + u8("\r\n</HTML>");
        EXPECT_EQ(
            doubleClick(rewritten, u8(c.after), [](QDialog &d) { clickControl(d, u8("cmdOK")); }),
            rewritten);
    }
}

TEST_F(FrameCommand, ReEditSaysWhyAFramesetWithoutTwoFramesIsLeftAlone)
{
    doc->strFileName = u8("/site/index.html");
    const char *elements[] = {
        "<frameset cols=\"50%,50%\">\r\n<noframes>見られません</noframes>\r\n</frameset>",
        "<frameset cols=\"50%,50%\">\r\n<frame src=\"a.html\">\r\n<noframes>x</noframes>\r\n</frameset>",
        // A frameset inside the first: the selection ends with the inner one's end tag.
        "<frameset rows=\"20%,80%\">\r\n<frame src=\"top.html\">\r\n<frameset cols=\"50%,50%\">\r\n"
        "<frame src=\"a.html\">\r\n<frame src=\"b.html\">\r\n</frameset>",
        "<frameset cols=\"50%,50%\"></frameset>",
    };
    for (const char *raw : elements) {
        SCOPED_TRACE(raw);
        const QString element = u8(raw);
        const QString content = u8("<HTML>\r\n") + element + u8("\r\n</HTML>");
        load(content, element);
        ScriptedInteraction ui;
        ui.expectMessage(u8("編集できません"));
        TagEdit(*doc);
        EXPECT_EQ(ui.pendingCount(), 0);
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
        EXPECT_EQ(text().text(), content);
    }
}

} // namespace
