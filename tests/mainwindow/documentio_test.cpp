#include "document/documentsave.h"
#include "support/spinefixture.h"

#include <QDir>
#include <QStatusBar>

using ReadDocTest = SpineTest;
using FileSaveTest = SpineTest;

TEST_F(ReadDocTest, OpensAFileCleanUnderItsPathAndRemembersIt)
{
    const QString file = path(QStringLiteral("page.htm"));
    writeBytes(file, "<P>a</P>\r\n");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("<P>a</P>\r\n"));
    EXPECT_EQ(doc->strFileName, file);
    EXPECT_EQ(doc->textTag(), file);
    EXPECT_FALSE(doc->blnFlgDirty);
    EXPECT_TRUE(doc->isVisible());
    EXPECT_EQ(shared().strLastFullPath, file);
    EXPECT_EQ(shared().strRecentFile[1], file);
    // Both reach the store, so the next window's load keeps them.
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("LastFullPath")), file);
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Recent Files"), QStringLiteral("RecentFile1")),
              file);
}

TEST_F(ReadDocTest, TheRecentListKeepsEveryFileOpenedInARow)
{
    const QString a = path(QStringLiteral("a.htm"));
    const QString b = path(QStringLiteral("b.htm"));
    writeBytes(a, "a");
    writeBytes(b, "b");
    open(a);
    open(b);
    EXPECT_EQ(shared().strRecentFile[1], b);
    EXPECT_EQ(shared().strRecentFile[2], a);
}

TEST_F(ReadDocTest, AnOpenPathOnlyComesToTheFront)
{
    const QString file = path(QStringLiteral("Index.htm"));
    writeBytes(file, "x");
    frmDocument *first = open(file);
    ASSERT_TRUE(first);
    first->txtText->setText(QStringLiteral("edited"));
    ReadDoc(file);
    ASSERT_EQ(frame->documents().size(), 1);
    EXPECT_EQ(frame->mdiArea->activeSubWindow(), first);
    EXPECT_EQ(first->txtText->text(), QStringLiteral("edited"));
}

// On Linux names differing only in letter case are two files: each opens in its own window,
// and both stay in the recent list.
TEST_F(ReadDocTest, APathDifferingOnlyInLetterCaseIsAnotherFile)
{
    const QString upper = path(QStringLiteral("Case.htm"));
    const QString lower = path(QStringLiteral("case.htm"));
    writeBytes(upper, "upper");
    writeBytes(lower, "lower");
    frmDocument *first = open(upper);
    frmDocument *second = open(lower);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first, second);
    EXPECT_EQ(frame->documents().size(), 2);
    EXPECT_EQ(first->txtText->text(), QStringLiteral("upper"));
    EXPECT_EQ(second->txtText->text(), QStringLiteral("lower"));
    EXPECT_EQ(shared().strRecentFile[1], lower);
    EXPECT_EQ(shared().strRecentFile[2], upper);
}

TEST_F(ReadDocTest, AMissingFileOffersTheTemplateUnderItsName)
{
    SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("TagColor"),
                       QStringLiteral("True"));
    const QString file = path(QStringLiteral("missing.htm"));
    {
        ScriptedInteraction ui;
        ui.expectMessage(file + QStringLiteral("は見つかりません。\r\n新しいﾌｧｲﾙを作成しますか？"),
                         Interaction::Answer::No);
        ReadDoc(file);
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Question);
        EXPECT_EQ(ui.lastPrompt().message.buttons, Interaction::Buttons::YesNo);
    }
    EXPECT_TRUE(frame->documents().isEmpty());

    ScriptedInteraction ui;
    ui.expectMessage(QStringLiteral("は見つかりません。"), Interaction::Answer::Yes);
    ReadDoc(file);
    ASSERT_EQ(frame->documents().size(), 1);
    frmDocument *doc = frame->documents().constFirst();
    EXPECT_EQ(doc->caption(), file);
    EXPECT_EQ(doc->strFileName, file);
    EXPECT_EQ(doc->textTag(), file);
    EXPECT_EQ(doc->txtText->text(), buildNewTemplate());
    EXPECT_FALSE(doc->blnFlgDirty);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_NE(shared().strRecentFile[1], file);
    // Not coloured although colouring is on: the whole text keeps the default colour.
    doc->txtText->select(0, doc->txtText->textLength());
    EXPECT_EQ(doc->txtText->selColor(), TextColor::Black);
}

TEST_F(ReadDocTest, AnUnreadablePathShowsTheErrorBoxAndNoWindow)
{
    const QString folder = path(QStringLiteral("folder.htm"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct
    {
        const char *what;
        QString path;
    } cases[] = {
        {"a folder", folder},
        {"a missing folder", path(QStringLiteral("nowhere/page.htm"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInteraction ui;
        ui.expectMessage(QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> ReadDoc()\r\nｴﾗｰｺｰﾄﾞ >> "));
        ReadDoc(c.path);
        EXPECT_EQ(ui.lastPrompt().message.title, QStringLiteral("ファイルを開く"));
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
        EXPECT_TRUE(frame->documents().isEmpty());
    }
}

TEST_F(ReadDocTest, ANetworkPathLeavesTheLastPathAndTheStoreAlone)
{
    const QString local = path(QStringLiteral("share.htm"));
    writeBytes(local, "x");
    // Two leading separators make a network path; on this system it names the same file.
    const QString network = QStringLiteral("/") + local;
    const QString lastBefore
        = SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("LastFullPath"));
    ASSERT_TRUE(open(network));
    EXPECT_EQ(shared().strRecentFile[1], network);
    EXPECT_EQ(shared().strLastFullPath, lastBefore);
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("LastFullPath")),
              lastBefore);
    EXPECT_TRUE(SettingsStore::get(QStringLiteral("Recent Files"), QStringLiteral("RecentFile1"))
                    .isEmpty());
}

TEST_F(ReadDocTest, TheOpenCommandStartsInTheLastFolderWithTheFourFilters)
{
    const QString file = path(QStringLiteral("chosen.htm"));
    writeBytes(file, "x");
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    ui.expectOpenFile(QString()).expectOpenFile(file);
    doc->run(QStringLiteral("mnuFileOpen_Click")); // cancelled: nothing happens
    EXPECT_EQ(frame->documents().size(), 1);
    const Interaction::FileRequest request = ui.lastPrompt().file;
    EXPECT_EQ(request.filter,
              QStringLiteral("HTMLﾌｧｲﾙ(*.html;*.htm)|*.html;*.htm|CGIﾌｧｲﾙ(*.cgi;*.pl)|*.cgi;*.pl|"
                             "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*"));
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(QDir(request.startFolder), QDir(scratch.path()));
    doc->run(QStringLiteral("mnuFileOpen_Click"));
    EXPECT_EQ(frame->documents().size(), 2);
    EXPECT_EQ(shared().strLastFullPath, file);
}

// Saved unchanged, a file is written as it was read: its line breaks stay, no break is added
// at its end, and it does not grow from save to save.
TEST_F(FileSaveTest, AnUnchangedSaveWritesTheFileAsItWas)
{
    const struct
    {
        const char *what;
        QByteArray stored;
        QByteArray afterOneSave;
    } cases[] = {
        {"CR LF", "a\r\nb", "a\r\nb"},
        {"LF only", "a\nb\n", "a\nb\n"},
        {"empty", "", ""},
        // 日本語 and a half-width katakana in Shift-JIS come back byte for byte.
        {"Japanese", "\x93\xfa\x96\x7b\x8c\xea\xb1", "\x93\xfa\x96\x7b\x8c\xea\xb1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file
            = path(QStringLiteral("%1.htm").arg(QString::fromLatin1(c.what).replace(' ', '_')));
        writeBytes(file, c.stored);
        frmDocument *doc = open(file);
        ASSERT_TRUE(doc);
        ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
        EXPECT_EQ(readBytes(file), c.afterOneSave);
        EXPECT_FALSE(doc->blnFlgDirty);
        // Opened and saved again, the file is still the same.
        doc->close();
        doc = open(file);
        ASSERT_TRUE(doc);
        doc->run(QStringLiteral("mnuFileSave_Click"));
        EXPECT_EQ(readBytes(file), c.afterOneSave);
        doc->close();
    }
}

TEST_F(FileSaveTest, ANewDocumentIsSavedUnderTheNameChosenInTheSaveDialog)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("<P>x</P>"));
    ASSERT_TRUE(doc->blnFlgDirty);

    ui.expectSaveFile(QString());
    doc->run(QStringLiteral("mnuFileSave_Click"));
    EXPECT_TRUE(doc->blnFlgDirty);
    EXPECT_EQ(doc->strFileName, QStringLiteral("NewHtml"));
    EXPECT_TRUE(ui.lastPrompt().file.overwritePrompt);

    const QString file = path(QStringLiteral("saved.htm"));
    ui.expectSaveFile(file);
    doc->run(QStringLiteral("mnuFileSave_Click"));
    EXPECT_EQ(readBytes(file), "<P>x</P>\r\n");
    EXPECT_EQ(doc->caption(), file);
    EXPECT_EQ(doc->strFileName, file);
    EXPECT_EQ(doc->textTag(), file);
    EXPECT_FALSE(doc->blnFlgDirty);
    EXPECT_EQ(shared().strRecentFile[1], file);
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("LastFullPath")), file);
    // The window's recent-file entries follow the save.
    EXPECT_TRUE(doc->action(QStringLiteral("mnuRecentFile_1"))->isVisible());
    EXPECT_EQ(doc->action(QStringLiteral("mnuRecentFile_1"))->text(), file);
}

TEST_F(FileSaveTest, AFailedWriteKeepsTheDocumentDirtyAndTheOldFile)
{
    const QString readOnly = path(QStringLiteral("locked.htm"));
    writeBytes(readOnly, "old");
    const QString missing = path(QStringLiteral("gone/page.htm"));
    const struct
    {
        const char *what;
        QString file;
        QString box;
        Interaction::Icon icon;
    } cases[] = {
        {"write-protected file", readOnly,
         QStringLiteral(
             "ｴﾗｰﾙｰﾁﾝ >> FileSave()\r\nｴﾗｰｺｰﾄﾞ >> 75\r\nパス名が違うか、上書きの場合には書込禁止"),
         Interaction::Icon::None},
        {"missing folder", missing,
         QStringLiteral("ｴﾗｰﾙｰﾁﾝ >> FileSave()\r\nｴﾗｰｺｰﾄﾞ >> 76\r\nパスがみつかりません。(")
             + missing + QStringLiteral(")"),
         Interaction::Icon::None},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInteraction ui;
        frmDocument *doc = newDocument(ui);
        ASSERT_TRUE(doc);
        const QString caption = doc->caption();
        doc->txtText->setText(QStringLiteral("new"));
        QFile::setPermissions(readOnly, QFile::ReadOwner);
        ui.expectSaveFile(c.file).expectMessage(c.box);
        doc->run(QStringLiteral("mnuFileAdd_Click"));
        EXPECT_EQ(ui.lastPrompt().message.text, c.box);
        EXPECT_EQ(ui.lastPrompt().message.icon, c.icon);
        EXPECT_EQ(ui.lastPrompt().message.buttons, Interaction::Buttons::Ok);
        EXPECT_TRUE(doc->blnFlgDirty);
        EXPECT_EQ(doc->caption(), caption);
        EXPECT_NE(shared().strRecentFile[1], c.file);
    }
    EXPECT_EQ(readBytes(readOnly), "old");
}

TEST_F(FileSaveTest, CharactersShiftJisCannotHoldAreNotedInTheStatusBar)
{
    const QString file = path(QStringLiteral("emoji.htm"));
    writeBytes(file, "a");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("a\U0001F600"));
    doc->run(QStringLiteral("mnuFileSave_Click"));
    // The file's only line had no line break, nor has the line that replaced it.
    EXPECT_EQ(readBytes(file), "a&#x1F600;");
    EXPECT_TRUE(frame->sbStatusBar->currentMessage().contains(QStringLiteral("数値文字参照")));
}

// Before, a failed save-as left the document on the failed name: the next Save wrote there (or
// failed there again) instead of to the document's own file.
TEST_F(FileSaveTest, AFailedSaveAsKeepsTheDocumentOnItsOwnFile)
{
    const QString own = path(QStringLiteral("own.htm"));
    writeBytes(own, "<P>own</P>");
    const QString readOnly = path(QStringLiteral("locked.htm"));
    writeBytes(readOnly, "locked");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    const struct
    {
        const char *what;
        QString target;
        int number;
    } cases[] = {
        {"write-protected file", readOnly, 75},
        {"missing folder", path(QStringLiteral("gone/page.htm")), 76},
        {"a folder", scratch.path(), 75},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInteraction ui;
        // A document read from its file, and a never-saved one.
        frmDocument *opened = open(own);
        frmDocument *fresh = newDocument(ui);
        ASSERT_TRUE(opened && fresh);
        for (frmDocument *doc : {opened, fresh}) {
            const QString fileName = doc->strFileName;
            const QString caption = doc->caption();
            doc->txtText->setText(QStringLiteral("<P>typed</P>"));
            ui.expectSaveFile(c.target).expectMessage(
                QStringLiteral("ｴﾗｰｺｰﾄﾞ >> %1").arg(c.number));
            EXPECT_FALSE(saveDocumentAsCommand(*doc));
            EXPECT_EQ(doc->strFileName, fileName);
            EXPECT_EQ(doc->textTag(), fileName);
            EXPECT_EQ(doc->caption(), caption);
            EXPECT_TRUE(doc->blnFlgDirty);
        }
        // The next Save goes to the document's own file; the new page asks for a name again.
        EXPECT_TRUE(saveDocumentCommand(*opened));
        EXPECT_TRUE(readBytes(own).startsWith("<P>typed</P>"));
        ui.expectSaveFile(QString());
        EXPECT_FALSE(saveDocumentCommand(*fresh));
        EXPECT_EQ(ui.pendingCount(), 0);
        EXPECT_EQ(readBytes(readOnly), "locked");
        for (frmDocument *doc : {opened, fresh}) {
            doc->blnFlgDirty = false;
            doc->close();
        }
        writeBytes(own, "<P>own</P>");
    }
}
