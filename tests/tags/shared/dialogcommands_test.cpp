#include "core/paths.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "document/clipboard.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/scriptedinteraction.h"
#include "tags/head/dlgauthor.h"
#include "tags/head/dlgsetrefresh.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include <gtest/gtest.h>
#include <memory>

namespace {

// A document window of its own, tag colouring off, driven through its command names.
class DialogCommandTest : public ReEditTest
{
protected:
    void TearDown() override
    {
        ReEditTest::TearDown();
        delete loadedDialog<dlgAuthor>();
    }

    // The document holds `content`, unchanged since it was loaded, with [start, start + length)
    // selected.
    void load(const QString &content, int start, int length)
    {
        text().setText(content);
        text().select(start, length);
        doc->blnFlgDirty = false;
    }

    // Runs the command registered as `handler`.
    void run(const char *handler)
    {
        ASSERT_TRUE(doc->run(QString::fromLatin1(handler))) << handler;
    }
};

struct CommandCase
{
    const char *name;
    const char *handler;
    const char *dialog;
    ScriptedInteraction::DialogScript script;
    const char *inserted; // replaces "[sel]" in "ab[sel]cd"
};

// Each command runs over the selection "SEL" in "ab" SEL "cd"; the fragment replaces it and
// the caret ends after it, nothing selected; the clipboard keeps what the user had put there.
TEST_F(DialogCommandTest, CommandsInsertTheirFragmentOverTheSelection)
{
    const auto ok = [](const char *button) {
        return [button](QDialog &d) { clickControl(d, QString::fromLatin1(button)); };
    };
    const CommandCase cases[] = {
        {"author", "mnuHtmlMateNameAuthor_Click", "dlgAuthor",
         [](QDialog &d) {
             setControlText(d, QStringLiteral("txtAuthor"), QStringLiteral("山田"));
             clickControl(d, QStringLiteral("OKButton"));
         },
         "<META name=\"author\" content=\"山田\">\r\n"},
        {"description", "mnuHtmlMetaNameDiscription_Click", "dlgDescription",
         [](QDialog &d) {
             setControlText(d, QStringLiteral("txtDescription"), QStringLiteral("説明"));
             clickControl(d, QStringLiteral("OKButton"));
         },
         "<META name=\"description\" content=\"説明\">\r\n"},
        {"keywords, all empty", "mnuHtmlMetaNameKeyword_Click", "dlgKeyword", ok("OKButton"),
         "<META name=\"keyword\" content=\"\">\r\n"},
        {"base URL", "mnuHtmlBaseHref_Click", "dlgSetBaseUrl",
         [](QDialog &d) {
             setControlText(d, QStringLiteral("txtURL"), QStringLiteral("http://a.jp/"));
             clickControl(d, QStringLiteral("OKButton"));
         },
         "<BASE href=\"http://a.jp/\">\r\n"},
        {"named anchor around the selection", "mnuName_Click", "DlgSetName",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, QStringLiteral("txtString")), QStringLiteral("SEL"));
             setControlText(d, QStringLiteral("txtName"), QStringLiteral("n1"));
             clickControl(d, QStringLiteral("OKButton"));
         },
         "<A name=\"n1\">SEL</A>"},
        {"row around the selection", "mnuHtmlTableTr_Click", "frmTrSet",
         [](QDialog &d) {
             d.findChild<QComboBox *>(QStringLiteral("cboAlign"))
                 ->setEditText(QStringLiteral("中央揃え"));
             clickControl(d, QStringLiteral("cmdOK"));
         },
         "<TR align=\"center\">SEL</TR>"},
        {"data cell", "mnuHtmlTableTd_Click", "frmTdSet", ok("cmdOK"), "<TD>SEL</TD>"},
        {"header cell", "mnuHtmlTableTh_Click", "frmTdSet", ok("cmdOK"), "<TH>SEL</TH>"},
        {"header command unticked to a data cell", "mnuHtmlTableTh_Click", "frmTdSet",
         [](QDialog &d) {
             setControlChecked(d, QStringLiteral("chkTH"), false);
             clickControl(d, QStringLiteral("cmdOK"));
         },
         "<TD>SEL</TD>"},
        {"data command ticked to a header cell", "mnuHtmlTableTd_Click", "frmTdSet",
         [](QDialog &d) {
             setControlChecked(d, QStringLiteral("chkTH"), true);
             clickControl(d, QStringLiteral("cmdOK"));
         },
         "<TH>SEL</TH>"},
        {"table with caption, 2 rows of 3 cells", "mnuHtmlTableTable_Click", "frmTableSet",
         [](QDialog &d) {
             setControlText(d, QStringLiteral("txtBorder"), QStringLiteral("1"));
             setControlText(d, QStringLiteral("txtWidth"), QStringLiteral("80"));
             setControlChecked(d, QStringLiteral("chkWidth"), true);
             setControlText(d, QStringLiteral("txtTableCaption"), QStringLiteral("表題"));
             setControlChecked(d, QStringLiteral("optAlign_1"), true);
             d.findChild<QSlider *>(QStringLiteral("Slider1"))->setValue(3);
             setControlText(d, QStringLiteral("txtTR"), QStringLiteral("2"));
             clickControl(d, QStringLiteral("cmdOK"));
         },
         "<TABLE border=\"1\" width=\"80%\">\r\n<CAPTION ALIGN=\"bottom\">表題</CAPTION>\r\n"
         "<TR>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n"
         "<TR>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>\r\n"},
        {"empty table", "mnuHtmlTableTable_Click", "frmTableSet", ok("cmdOK"),
         "<TABLE>\r\n<TR>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>\r\n"},
    };
    for (const CommandCase &c : cases) {
        SCOPED_TRACE(c.name);
        load(QStringLiteral("abSELcd"), 2, 3);
        clipboardSetText(QStringLiteral("copied"));
        ScriptedInteraction script;
        script.expectDialog(QString::fromLatin1(c.dialog), c.script);
        run(c.handler);
        const QString inserted = QString::fromUtf8(c.inserted);
        EXPECT_EQ(text().text(), QStringLiteral("ab") + inserted + QStringLiteral("cd"));
        EXPECT_EQ(text().selStart(), 2 + inserted.size());
        EXPECT_EQ(text().selLength(), 0);
        EXPECT_EQ(clipboardGetText(), QStringLiteral("copied"));
        EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Rtf));
    }
}

TEST_F(DialogCommandTest, RowWithNothingSelectedIsClosedAtOnce)
{
    load(QStringLiteral("xy"), 1, 0);
    ScriptedInteraction script;
    script.expectDialog(QStringLiteral("frmTrSet"),
                        [](QDialog &d) { clickControl(d, QStringLiteral("cmdOK")); });
    run("mnuHtmlTableTr_Click");
    EXPECT_EQ(text().text(), QStringLiteral("x<TR></TR>y"));
}

TEST_F(DialogCommandTest, CancelledCommandsChangeNothing)
{
    const struct
    {
        const char *handler, *dialog, *cancel;
    } cases[] = {
        {"mnuHtmlMateNameAuthor_Click", "dlgAuthor", "CancelButton"},
        {"mnuHtmlMetaNameKeyword_Click", "dlgKeyword", "CancelButton"},
        {"mnuName_Click", "DlgSetName", "CancelButton"},
        {"mnuHtmlTableTable_Click", "frmTableSet", "cmdCancel"},
        {"mnuHtmlTableTh_Click", "frmTdSet", "cmdCancel"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.handler);
        load(QStringLiteral("abSELcd"), 2, 3);
        clipboardSetText(QStringLiteral("before"));
        ScriptedInteraction script;
        script.expectDialog(QString::fromLatin1(c.dialog),
                            [&c](QDialog &d) { clickControl(d, QString::fromLatin1(c.cancel)); });
        run(c.handler);
        EXPECT_EQ(text().text(), QStringLiteral("abSELcd"));
        EXPECT_EQ(text().selStart(), 2);
        EXPECT_EQ(text().selLength(), 3);
        EXPECT_EQ(clipboardGetText(), QStringLiteral("before"));
        EXPECT_FALSE(doc->blnFlgDirty);
    }
}

TEST_F(DialogCommandTest, RefreshOfANewDocumentAnsweredNoShowsNothing)
{
    ASSERT_EQ(doc->strFileName, QStringLiteral("NewHtml"));
    load(QStringLiteral("abc"), 1, 1);
    ScriptedInteraction script;
    script.expectMessage(
        QStringLiteral("新規HTMLは保存しないとﾊﾟｽが確定できません。\r\n保存しますか？"),
        Interaction::Answer::No);
    run("mnuHtmlMetaRefresh_Click");
    EXPECT_EQ(script.lastPrompt().message.icon, Interaction::Icon::Question);
    EXPECT_EQ(script.lastPrompt().message.buttons, Interaction::Buttons::YesNo);
    EXPECT_EQ(text().text(), QStringLiteral("abc"));
    EXPECT_EQ(text().selLength(), 1);
    EXPECT_EQ(loadedDialog<dlgSetRefresh>(), nullptr);
}

// Yes to the save question, then Save As cancelled: the page still has no folder, and a
// reference written against none would be an absolute path that breaks once the page is
// uploaded. Neither the commands nor the re-edits of tags with references open their dialog.
TEST_F(DialogCommandTest, APageStillUnsavedAfterTheSaveQuestionGetsNoReferenceDialog)
{
    const struct
    {
        const char *name;
        const char *handler; // empty: the re-edit of the selection
        const char *content;
    } cases[] = {
        {"image", "mnuHtmlImage_Click", ""},
        {"body", "mnuHtmlPageBody_Click", ""},
        {"link", "mnuLink_Click", ""},
        {"frameset", "mnuFrame_Click", ""},
        {"applet", "mnuOtherApplet_Click", ""},
        {"refresh", "mnuHtmlMetaRefresh_Click", ""},
        {"image re-edit", "", "<IMG SRC=\"a.gif\">"},
        {"body re-edit", "", "<BODY bgcolor=\"#FFFFFF\">"},
        {"link re-edit", "", "<A HREF=\"a.html\">a</A>"},
        {"applet re-edit", "", "<APPLET code=\"A.class\" width=\"1\" height=\"1\">\r\n</APPLET>"},
        {"frameset re-edit", "",
         "<FRAMESET cols=\"50%,50%\">\r\n\t<FRAME name=\"a\" SRC=\"a.html\">\r\n"
         "\t<FRAME name=\"b\" SRC=\"b.html\">\r\n</FRAMESET>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString content = QString::fromUtf8(c.content);
        load(content, 0, int(content.size()));
        {
            ScriptedInteraction script; // a dialog opened would be unexpected
            script
                .expectMessage(
                    QStringLiteral("新規HTMLは保存しないとﾊﾟｽが確定できません。\r\n保存しますか？"),
                    Interaction::Answer::Yes)
                .expectSaveFile(QString());
            if (*c.handler)
                run(c.handler);
            else
                TagEdit(*doc);
            EXPECT_EQ(script.pendingCount(), 0);
        }
        EXPECT_EQ(doc->strFileName, QStringLiteral("NewHtml"));
        EXPECT_EQ(text().text(), content);
    }
}

// The re-edits of the elements that name pages ask a never-saved page to be saved first, as
// their insertion commands do; No leaves the element as it was.
TEST_F(DialogCommandTest, ReEditsOfFramesetAndAppletAskANewPageAlike)
{
    const char *elements[] = {
        "<APPLET code=\"A.class\" width=\"1\" height=\"1\">\r\n</APPLET>",
        "<FRAMESET cols=\"50%,50%\">\r\n\t<FRAME name=\"a\" SRC=\"a.html\">\r\n"
        "\t<FRAME name=\"b\" SRC=\"b.html\">\r\n</FRAMESET>",
    };
    for (const char *raw : elements) {
        SCOPED_TRACE(raw);
        const QString element = QString::fromUtf8(raw);
        load(element, 0, int(element.size()));
        {
            ScriptedInteraction script;
            script.expectMessage(QStringLiteral("保存しますか？"), Interaction::Answer::No);
            TagEdit(*doc);
            EXPECT_EQ(script.pendingCount(), 0);
        }
        EXPECT_EQ(text().text(), element);
    }
}

} // namespace
