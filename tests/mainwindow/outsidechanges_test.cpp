// Files changed, replaced or deleted by other programs while they are open in a window.

#include "document/documentsave.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QMdiArea>
#include <QTest>

#include <cstdio>

namespace {

const QString ChangedBeforeSave = QStringLiteral("開いた後にほかのプログラムで変更されています");
const QString ChangedOutside = QStringLiteral("ほかのプログラムで変更されました");
const QString DeletedOutside = QStringLiteral("ほかのプログラムで削除されました");
const QString UnsavedChanges = QStringLiteral("保存していない変更があります");

class OutsideChanges : public SpineTest
{
protected:
    // Makes `doc` the active window and lets the look at its file happen.
    void activate(frmDocument *doc)
    {
        frame->mdiArea->setActiveSubWindow(doc);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Activates `doc` and waits for the queued prompts to be answered.
    static bool answered(const ScriptedInteraction &ui)
    {
        return QTest::qWaitFor([&] { return ui.pendingCount() == 0; }, 5000);
    }

    // Another program writes the file in place (a new size, so the change shows at once).
    void otherProgramWrites(const QString &file, const QByteArray &bytes)
    {
        writeBytes(file, bytes);
    }
};

} // namespace

// Before, a save wrote over whatever another program had put in the file since it was opened.
TEST_F(OutsideChanges, ASaveOverAFileAnotherProgramChangedAsksFirst)
{
    enum class Then { Overwritten, Reloaded, NotSaved };
    const struct
    {
        const char *what;
        Interaction::Answer answer;
        Then then;
    } cases[] = {
        {"Yes overwrites", Interaction::Answer::Yes, Then::Overwritten},
        {"No reads the file again", Interaction::Answer::No, Then::Reloaded},
        {"Cancel saves nothing", Interaction::Answer::Cancel, Then::NotSaved},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path(QString::fromLatin1(c.what).left(3) + QStringLiteral(".htm"));
        writeBytes(file, "<P>old</P>");
        frmDocument *doc = open(file);
        ASSERT_TRUE(doc);
        doc->txtText->setText(QStringLiteral("<P>mine</P>"));
        otherProgramWrites(file, "<P>theirs, longer</P>");

        ScriptedInteraction ui;
        ui.expectMessage(ChangedBeforeSave, c.answer);
        const bool saved = saveDocumentCommand(*doc);
        ASSERT_EQ(ui.pendingCount(), 0);
        EXPECT_EQ(ui.lastPrompt().message.buttons, Interaction::Buttons::YesNoCancel);
        EXPECT_TRUE(ui.lastPrompt().message.text.startsWith(file));
        switch (c.then) {
        case Then::Overwritten:
            EXPECT_TRUE(saved);
            EXPECT_TRUE(readBytes(file).startsWith("<P>mine</P>"));
            EXPECT_FALSE(doc->blnFlgDirty);
            break;
        case Then::Reloaded:
            EXPECT_FALSE(saved);
            EXPECT_EQ(readBytes(file), "<P>theirs, longer</P>");
            EXPECT_EQ(doc->txtText->text(), QStringLiteral("<P>theirs, longer</P>"));
            EXPECT_FALSE(doc->blnFlgDirty);
            break;
        case Then::NotSaved:
            EXPECT_FALSE(saved);
            EXPECT_EQ(readBytes(file), "<P>theirs, longer</P>");
            EXPECT_EQ(doc->txtText->text(), QStringLiteral("<P>mine</P>"));
            EXPECT_TRUE(doc->blnFlgDirty);
            break;
        }
        // Once overwritten or read again, the file is the window's own: the next save asks
        // nothing. Cancelled, the question comes again.
        doc->txtText->setText(QStringLiteral("<P>again</P>"));
        if (c.then == Then::NotSaved)
            ui.expectMessage(ChangedBeforeSave, Interaction::Answer::Cancel);
        saveDocumentCommand(*doc);
        EXPECT_EQ(ui.pendingCount(), 0);
        if (c.then != Then::NotSaved) {
            EXPECT_TRUE(readBytes(file).startsWith("<P>again</P>"));
        }
        doc->blnFlgDirty = false;
        doc->close();
    }
}

// The window's own saves, and windows going back and forth, never raise the question.
TEST_F(OutsideChanges, TheWindowsOwnSavesAskNothing)
{
    const QString a = path(QStringLiteral("a.htm"));
    const QString b = path(QStringLiteral("b.htm"));
    writeBytes(a, "a");
    writeBytes(b, "b");
    ScriptedInteraction ui; // any question fails the test
    frmDocument *first = open(a);
    frmDocument *second = open(b);
    ASSERT_TRUE(first && second);
    for (int round = 0; round < 3; ++round) {
        first->txtText->setText(QStringLiteral("a%1").arg(round));
        ASSERT_TRUE(saveDocumentCommand(*first));
        ASSERT_TRUE(saveDocumentCommand(*first)); // unchanged, twice in a row
        activate(second);
        activate(first);
    }
    // Saved under another name and back: each file is the window's own in turn.
    ui.expectSaveFile(path(QStringLiteral("c.htm"))).expectSaveFile(a);
    ASSERT_TRUE(saveDocumentAsCommand(*first));
    ASSERT_TRUE(saveDocumentAsCommand(*first));
    ASSERT_TRUE(saveDocumentCommand(*first));
    EXPECT_EQ(ui.pendingCount(), 0);
}

TEST_F(OutsideChanges, AFileDeletedBeforeTheSaveIsWrittenAgainWithoutAQuestion)
{
    const QString file = path(QStringLiteral("gone.htm"));
    writeBytes(file, "old");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("kept"));
    ASSERT_EQ(std::remove(QFile::encodeName(file).constData()), 0);
    ScriptedInteraction ui;
    EXPECT_TRUE(saveDocumentCommand(*doc));
    EXPECT_TRUE(readBytes(file).startsWith("kept"));
}

// A new page under the name of a missing file: a file another program puts there before the
// first save is not overwritten without asking.
TEST_F(OutsideChanges, AFileThatAppearsUnderANewPagesNameIsNotOverwrittenSilently)
{
    const QString file = path(QStringLiteral("later.htm"));
    ScriptedInteraction ui;
    ui.expectMessage(QStringLiteral("は見つかりません。"), Interaction::Answer::Yes);
    ReadDoc(file);
    ASSERT_EQ(frame->documents().size(), 1);
    frmDocument *doc = frame->documents().constFirst();
    writeBytes(file, "made elsewhere");
    ui.expectMessage(ChangedBeforeSave, Interaction::Answer::Cancel);
    EXPECT_FALSE(saveDocumentCommand(*doc));
    EXPECT_EQ(readBytes(file), "made elsewhere");
}

// Coming to the front, a window tells what happened to its file meanwhile, once.
TEST_F(OutsideChanges, AWindowComingToTheFrontTellsOfItsChangedOrDeletedFile)
{
    enum class Change { Rewritten, Deleted };
    const struct
    {
        const char *what;
        Change change;
        bool unsaved;
        Interaction::Answer answer;
        bool reloaded;
    } cases[] = {
        {"rewritten, clean, read again", Change::Rewritten, false, Interaction::Answer::Yes, true},
        {"rewritten, clean, kept", Change::Rewritten, false, Interaction::Answer::No, false},
        {"rewritten, unsaved changes, read again", Change::Rewritten, true,
         Interaction::Answer::Yes, true},
        {"rewritten, unsaved changes, kept", Change::Rewritten, true, Interaction::Answer::No,
         false},
        {"deleted, clean", Change::Deleted, false, Interaction::Answer::Ok, false},
        {"deleted, unsaved changes", Change::Deleted, true, Interaction::Answer::Ok, false},
    };
    const QString other = path(QStringLiteral("other.htm"));
    writeBytes(other, "other");
    int number = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path(QStringLiteral("page%1.htm").arg(++number));
        writeBytes(file, "<P>first</P>");
        frmDocument *doc = open(file);
        ASSERT_TRUE(doc);
        if (c.unsaved)
            doc->txtText->setText(QStringLiteral("<P>typed</P>"));
        const QString shown = doc->txtText->text();
        frmDocument *behind = open(other);
        ASSERT_TRUE(behind);
        activate(behind);

        if (c.change == Change::Rewritten)
            otherProgramWrites(file, "<P>second version</P>");
        else
            ASSERT_EQ(std::remove(QFile::encodeName(file).constData()), 0);

        ScriptedInteraction ui;
        ui.expectMessage(c.change == Change::Rewritten ? ChangedOutside : DeletedOutside, c.answer);
        activate(doc);
        ASSERT_TRUE(answered(ui));
        const Interaction::Message &told = ui.lastPrompt().message;
        EXPECT_TRUE(told.text.startsWith(file));
        EXPECT_EQ(told.text.contains(UnsavedChanges), c.change == Change::Rewritten && c.unsaved);
        EXPECT_EQ(told.buttons, c.change == Change::Rewritten ? Interaction::Buttons::YesNo
                                                              : Interaction::Buttons::Ok);
        if (c.reloaded) {
            EXPECT_EQ(doc->txtText->text(), QStringLiteral("<P>second version</P>"));
            EXPECT_FALSE(doc->blnFlgDirty);
        } else {
            EXPECT_EQ(doc->txtText->text(), shown);
            // A deleted file's text exists only in the window now: closing it asks to save.
            EXPECT_EQ(doc->blnFlgDirty, c.unsaved || c.change == Change::Deleted);
        }

        // Told once: going back and forth asks nothing more.
        activate(behind);
        activate(doc);
        EXPECT_EQ(ui.pendingCount(), 0);
        doc->blnFlgDirty = false;
        doc->close();
    }
}

// Opening a file whose window is already open brings that window forward and tells of a change.
TEST_F(OutsideChanges, OpeningAnOpenFileAgainTellsOfItsChange)
{
    const QString file = path(QStringLiteral("page.htm"));
    writeBytes(file, "<P>first</P>");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    otherProgramWrites(file, "<P>second version</P>");
    ScriptedInteraction ui;
    ui.expectMessage(ChangedOutside, Interaction::Answer::Yes);
    ReadDoc(file);
    ASSERT_TRUE(answered(ui));
    EXPECT_EQ(frame->documents().size(), 1);
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("<P>second version</P>"));
}
