#include "mainwindow/toolbar.h"

#include "document/clipboard.h"
#include "document/documentmenus.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QToolBar>

namespace {

class ToolbarTest : public SpineTest
{
protected:
    QAction *button(const QString &key) const
    {
        for (QAction *action : frame->tbToolBar->actions())
            if (action->data().toString() == key)
                return action;
        ADD_FAILURE() << "no button " << key.toStdString();
        return nullptr;
    }

    void click(const QString &key) const
    {
        if (QAction *action = button(key))
            action->trigger();
    }
};

const QString NoDocumentError
    = QStringLiteral("tbToolBar_ButtonClick\r\nエラー番号：\r\n91\r\nエラー内容：");

} // namespace

TEST_F(ToolbarTest, HasTheTwentyButtonsInOrderWithTooltipsAndIcons)
{
    const QStringList keys = {"New", "Open", "Save", "Print", "Cut", "Copy", "Paste", "Find",
                              "Bold", "Italic", "Underline", "Font", "Gradiation", "Left", "Center",
                              "Right", "Image", "URL", "Table", "Browser",
                              // then the page check's own button and the live preview's
                              "Check", "LivePreview"};
    const QList<QAction *> actions = frame->tbToolBar->actions();
    ASSERT_EQ(actions.size(), keys.size());
    for (int i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(actions[i]->data().toString(), keys[i]);
        EXPECT_FALSE(actions[i]->icon().isNull()) << keys[i].toStdString();
    }
    EXPECT_EQ(button(QStringLiteral("Copy"))->toolTip(), QStringLiteral("ｺﾋﾟｰ"));
    EXPECT_EQ(button(QStringLiteral("Gradiation"))->toolTip(), QStringLiteral("ｸﾞﾗﾃﾞｰｼｮﾝ文字"));
    EXPECT_EQ(button(QStringLiteral("Browser"))->toolTip(), QStringLiteral("ﾌﾞﾗｳｻﾞに表示"));
}

TEST_F(ToolbarTest, SaveOnANeverSavedDocumentAsksForAName)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    const QString file = path(QStringLiteral("first.htm"));
    ui.expectSaveFile(file);
    click(QStringLiteral("Save"));
    EXPECT_EQ(doc->strFileName, file);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_FALSE(doc->blnFlgDirty);
}

TEST_F(ToolbarTest, SaveOnASavedDocumentWritesItInPlace)
{
    ScriptedInteraction ui;
    const QString file = path(QStringLiteral("page.htm"));
    writeBytes(file, "old");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("new"));
    click(QStringLiteral("Save")); // no dialog expected
    // The file's last line had no line break, nor has the line that replaced it.
    EXPECT_EQ(readBytes(file), QByteArray("new"));
}

TEST_F(ToolbarTest, WrapButtonsWrapAndSelectTheTextAgainAnywhere)
{
    struct Case
    {
        const char *key;
        const char *tag;
        int before;
    };
    const Case cases[] = {
        {"Bold", "B", 0},
        {"Italic", "I", 0},
        {"Underline", "U", 0},
        // Far beyond the first 32767 characters.
        {"Bold", "B", 40000},
        {"Underline", "U", 70000},
    };
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    for (const Case &c : cases) {
        const QString lead(c.before, QLatin1Char('x'));
        doc->txtText->setText(lead + QStringLiteral("abc tail"));
        doc->txtText->select(c.before, 3);
        click(QLatin1String(c.key));
        const QString tag = QLatin1String(c.tag);
        EXPECT_EQ(doc->txtText->text(), lead + QStringLiteral("<%1>abc</%1> tail").arg(tag))
            << c.key << " at " << c.before;
        EXPECT_EQ(doc->txtText->selStart(), c.before + 3);
        EXPECT_EQ(doc->txtText->selText(), QStringLiteral("abc"));
    }
}

TEST_F(ToolbarTest, CutAndCopyPutRichText)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("abc def"));
    doc->txtText->select(0, 3);
    click(QStringLiteral("Copy"));
    EXPECT_TRUE(clipboardHasFormat(ClipboardFormat::Rtf));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("abc def"));

    clipboardClear();
    click(QStringLiteral("Cut"));
    EXPECT_TRUE(clipboardGetText(ClipboardFormat::Rtf).contains(QStringLiteral("abc")));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral(" def"));
}

TEST_F(ToolbarTest, OtherButtonsRunTheActiveDocumentsCommand)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("ab"));
    doc->txtText->setSelStart(1);
    clipboardClear();
    clipboardSetText(QStringLiteral("PASTED"));
    click(QStringLiteral("Paste"));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("aPASTEDb"));
}

TEST_F(ToolbarTest, WithNoDocumentTheEditButtonsAreDisabledAndSayNothing)
{
    ScriptedInteraction ui; // no box expected
    for (const char *key :
         {"Save", "Print", "Cut", "Copy", "Paste", "Bold", "Italic", "Table", "Browser"}) {
        EXPECT_FALSE(button(QLatin1String(key))->isEnabled()) << key;
        click(QLatin1String(key));
    }
    EXPECT_TRUE(ui.log().isEmpty());
}

TEST_F(ToolbarTest, AButtonReachedWithoutADocumentReportsItsAbsence)
{
    ScriptedInteraction ui;
    ui.expectMessage(NoDocumentError);
    tbToolBar_ButtonClick(*frame, QStringLiteral("Cut"));
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
}

TEST_F(ToolbarTest, PrintPrintsTheActiveDocumentsText)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("line 1\r\nline 2"));
    ui.expectPrint(Interaction::PrintOutcome::Printed);
    click(QStringLiteral("Print"));
    EXPECT_EQ(ui.lastPrompt().text, QStringLiteral("line 1\r\nline 2\r\n"));

    ui.expectPrint(Interaction::PrintOutcome::Cancelled); // silent
    click(QStringLiteral("Print"));
    ui.expectPrint(Interaction::PrintOutcome::Failed, QStringLiteral("紙がありません"))
        .expectMessage(QStringLiteral("ｴﾗｰｺｰﾄﾞ >> 482\r\n紙がありません"));
    click(QStringLiteral("Print"));
}

TEST_F(ToolbarTest, EnableEditButtonsLeavesNewAndOpenAlone)
{
    frame->enableEditButtons(false);
    const QList<QAction *> actions = frame->tbToolBar->actions();
    for (int i = 0; i < actions.size(); ++i)
        EXPECT_EQ(actions[i]->isEnabled(), i < 2) << i;

    // A document window coming to the front enables them again.
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    frame->mdiArea->setActiveSubWindow(nullptr);
    frame->enableEditButtons(false);
    frame->mdiArea->setActiveSubWindow(doc);
    for (QAction *action : actions)
        EXPECT_TRUE(action->isEnabled()) << action->data().toString().toStdString();
}

namespace {

TEST_F(ToolbarTest, GradationButtonOpensTheGradationDialog)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("AB"));
    doc->txtText->select(0, 2);
    ui.expectDialog(QStringLiteral("frmGradation"), [](QDialog &dialog) {
        EXPECT_EQ(controlText(dialog, QStringLiteral("txtIn")), QStringLiteral("AB"));
        clickControl(dialog, QStringLiteral("cmdCancel"));
    });
    click(QStringLiteral("Gradiation"));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("AB"));
}

} // namespace
