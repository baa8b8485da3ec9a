#include "core/documentfile.h"
#include "core/recoveryrecord.h"
#include "core/recoveryservice.h"
#include "document/recoverykeeper.h"
#include "mainwindow/frmrecover.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QDir>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <csignal>

namespace {

// A Shift-JIS page with a byte that no encoding reads, kept as it was.
const QByteArray pageBytes = "<HTML>\r\n<P>\x82\xa0\x82\xa2 \xff</P>\r\n</HTML>\r\n";
const char *childDirectory = "ORVINE_RECOVERY_CHILD";

QString recoveryRoot(const QString &scratch)
{
    return scratch + QStringLiteral("/recovery");
}

void writeText(const QString &file, const QString &text)
{
    QFile out(file);
    if (out.open(QIODevice::WriteOnly))
        out.write(encodeRecoveryRecord(RecoveryRecord{.text = text}));
}

QString readText(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return QString();
    const std::optional<RecoveryRecord> record = decodeRecoveryRecord(in.readAll());
    return record ? record->text : QString();
}

void typeInto(frmDocument &doc, const QString &ascii, const QString &japanese)
{
    doc.txtText->setFocus();
    doc.txtText->setSelStart(doc.txtText->textLength());
    QTest::keyClicks(doc.txtText, ascii);
    // What an input method commits arrives as one piece of text.
    doc.txtText->setSelText(japanese);
}

QStringList recordsUnder(const QString &root)
{
    QStringList files;
    for (const QFileInfo &folder : QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString &name : QDir(folder.absoluteFilePath()).entryList({"*.orvrec"}))
            files << folder.absoluteFilePath() + QLatin1Char('/') + name;
    return files;
}

using RecoveryTest = SpineTest;

// Run only as the child of the test below: types into a saved page and a new one, waits until
// both are in recovery files, says so, and waits to be killed.
TEST_F(RecoveryTest, DISABLED_ChildTypesAndWaitsToBeKilled)
{
    const QString dir = qEnvironmentVariable(childDirectory);
    ASSERT_FALSE(dir.isEmpty());
    SettingsStore::setInt(QStringLiteral("Recovery"), QStringLiteral("IdleSeconds"), 1);
    RecoveryService service(recoveryRoot(dir));
    ScriptedInteraction ui;
    frmDocument *page = open(dir + QStringLiteral("/page.htm"));
    ASSERT_TRUE(page);
    typeInto(*page, QStringLiteral("typed"), QStringLiteral("日本語の本文"));
    frmDocument *fresh = newDocument(ui);
    ASSERT_TRUE(fresh);
    typeInto(*fresh, QStringLiteral("<B>"), QStringLiteral("新しいﾍﾟｰｼﾞ𠮷"));
    writeText(dir + QStringLiteral("/expected-page"), page->txtText->text());
    writeText(dir + QStringLiteral("/expected-new"), fresh->txtText->text());
    // The quiet timers write both texts a second after the typing.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList files = recordsUnder(recoveryRoot(dir));
            QStringList texts;
            for (const QString &file : files)
                texts << readText(file);
            return texts.contains(page->txtText->text()) && texts.contains(fresh->txtText->text());
        },
        20000));
    std::fputs("READY\n", stdout);
    std::fflush(stdout);
    QEventLoop().exec();
}

// The program is killed after typing into a saved page and a new one; the next start offers
// both, and restores them byte for byte while the page on the disk stays as it was. While the
// killed program still ran, its files were not offered to another instance.
TEST_F(RecoveryTest, TextTypedBeforeAKillComesBackOnTheNextStart)
{
    writeBytes(path(QStringLiteral("page.htm")), pageBytes);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(childDirectory), scratch.path());
    child.setProcessEnvironment(environment);
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_also_run_disabled_tests"),
         QStringLiteral("--gtest_filter=RecoveryTest.DISABLED_ChildTypesAndWaitsToBeKilled")});
    ASSERT_TRUE(child.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            child.waitForReadyRead(100);
            return child.peek(1 << 20).contains("READY") || child.state() == QProcess::NotRunning;
        },
        60000));
    ASSERT_TRUE(child.peek(1 << 20).contains("READY"))
        << child.readAllStandardOutput().toStdString()
        << child.readAllStandardError().toStdString();

    {
        RecoveryFolder other(recoveryRoot(scratch.path()));
        EXPECT_TRUE(other.adoptOrphans().isEmpty()) << "a running instance's files were offered";
    }
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));

    RecoveryService service(recoveryRoot(scratch.path()));
    ScriptedInteraction ui;
    QStringList listed;
    ui.expectDialog(QStringLiteral("frmRecover"), [&](QDialog &dialog) {
        auto &window = static_cast<frmRecover &>(dialog);
        for (int row = 0; row < window.lstFiles->topLevelItemCount(); ++row)
            listed << window.lstFiles->topLevelItem(row)->text(0);
        while (window.lstFiles->topLevelItemCount() > 0 && window.cmdRestore->isEnabled())
            window.cmdRestore->click();
    });
    EXPECT_EQ(offerRecovery(service.folder(), frame.get()), 2);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("page.htm"), QStringLiteral("新規")}));

    const QString expectedPage = readText(path(QStringLiteral("expected-page")));
    const QString expectedNew = readText(path(QStringLiteral("expected-new")));
    ASSERT_TRUE(expectedPage.contains(QStringLiteral("日本語の本文")));
    frmDocument *page = nullptr, *fresh = nullptr;
    for (frmDocument *doc : frame->documents())
        (doc->strFileName == path(QStringLiteral("page.htm")) ? page : fresh) = doc;
    ASSERT_TRUE(page && fresh);
    EXPECT_EQ(page->txtText->text(), expectedPage);
    EXPECT_EQ(fresh->txtText->text(), expectedNew);
    EXPECT_TRUE(page->blnFlgDirty && fresh->blnFlgDirty);
    EXPECT_EQ(readBytes(path(QStringLiteral("page.htm"))), pageBytes) << "written before a save";

    // The killed run's files are gone once the restored pages have files of their own.
    service.writer().flush();
    const QStringList left = recordsUnder(recoveryRoot(scratch.path()));
    EXPECT_EQ(left.size(), 2);
    for (const QString &file : left)
        EXPECT_TRUE(file.contains(QStringLiteral("/%1-").arg(QCoreApplication::applicationPid())));

    // Saving writes the recovered text with the page's kept byte as it was.
    ASSERT_TRUE(page->FileSave());
    const QByteArray saved = readBytes(path(QStringLiteral("page.htm")));
    EXPECT_TRUE(saved.contains("\xff</P>")) << saved.toHex().toStdString();
    EXPECT_TRUE(saved.contains("typed")) << saved.toHex().toStdString();
}

class RecoveryKeeperTest : public SpineTest
{
protected:
    QString root() const { return recoveryRoot(scratch.path()); }
};

// A document saved, or closed without saving, leaves no recovery file; nor does a clean end.
TEST_F(RecoveryKeeperTest, SavingClosingAndAQuietEndLeaveNothing)
{
    QString own;
    {
        RecoveryService service(root());
        own = QFileInfo(service.folder().fileFor(1)).absolutePath();
        writeBytes(path(QStringLiteral("saved.htm")), pageBytes);
        frmDocument *saved = open(path(QStringLiteral("saved.htm")));
        ASSERT_TRUE(saved);
        typeInto(*saved, QStringLiteral("x"), QStringLiteral("保存"));
        ASSERT_TRUE(keepRecoveryFileNow(*saved));
        ASSERT_EQ(recordsUnder(root()).size(), 1);
        ASSERT_TRUE(saved->FileSave());
        service.writer().flush();
        EXPECT_TRUE(recordsUnder(root()).isEmpty()) << "a saved page keeps its recovery file";

        ScriptedInteraction ui;
        frmDocument *fresh = newDocument(ui);
        ASSERT_TRUE(fresh);
        typeInto(*fresh, QStringLiteral("y"), QStringLiteral("閉じる"));
        ASSERT_TRUE(keepRecoveryFileNow(*fresh));
        ASSERT_EQ(recordsUnder(root()).size(), 1);
        ui.expectMessage(QStringLiteral("保存しますか"), Interaction::Answer::No);
        const QPointer<frmDocument> closing(fresh);
        fresh->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return closing.isNull(); }, 5000));
        service.writer().flush();
        EXPECT_TRUE(recordsUnder(root()).isEmpty()) << "a page closed unsaved keeps its file";
    }
    EXPECT_FALSE(QFileInfo::exists(own));
}

// A pause in the typing writes the text by itself.
TEST_F(RecoveryKeeperTest, APauseInTheTypingWritesTheText)
{
    SettingsStore::setInt(QStringLiteral("Recovery"), QStringLiteral("IdleSeconds"), 1);
    RecoveryService service(root());
    QSignalSpy written(&service, &RecoveryService::written);
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    typeInto(*doc, QStringLiteral("abc"), QStringLiteral("休み"));
    ASSERT_TRUE(written.wait(10000));
    ASSERT_EQ(recordsUnder(root()).size(), 1);
    EXPECT_EQ(readText(recordsUnder(root()).constFirst()), doc->txtText->text());
}

// A recovery folder that cannot be made is said once in the status bar; typing and saving go
// on as before.
TEST_F(RecoveryKeeperTest, AnUnusableFolderNeverStopsEditing)
{
    writeBytes(path(QStringLiteral("blocker")), "not a folder");
    RecoveryService service(path(QStringLiteral("blocker/recovery")));
    writeBytes(path(QStringLiteral("page.htm")), pageBytes);
    frmDocument *doc = open(path(QStringLiteral("page.htm")));
    ASSERT_TRUE(doc);
    QSignalSpy notes(doc, &frmDocument::note);
    for (int i = 0; i < 3; ++i) {
        typeInto(*doc, QStringLiteral("a"), QStringLiteral("字"));
        EXPECT_FALSE(keepRecoveryFileNow(*doc));
    }
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes.at(0).at(0).toString().contains(QStringLiteral("復元用")));
    ASSERT_TRUE(doc->FileSave());
    EXPECT_TRUE(readDocumentFile(path(QStringLiteral("page.htm")))
                    .text.contains(QStringLiteral("a字a字a字")));
}

// The window's Discard asks first and removes only the chosen file; Close keeps the rest for
// the next start.
TEST_F(RecoveryKeeperTest, DiscardAsksAndCloseKeepsTheRest)
{
    {
        RecoveryFolder gone(root());
        int error = 0;
        for (int id = 1; id <= 2; ++id)
            ASSERT_TRUE(writeRecoveryFile(gone.fileFor(id),
                                          encodeRecoveryRecord(RecoveryRecord{
                                              .caption = QStringLiteral("NewHtml%1.htm").arg(id),
                                              .taken = QDateTime::currentDateTime(),
                                              .text = QStringLiteral("text %1").arg(id)}),
                                          &error));
        // a folder left with records: as after a crash
    }
    RecoveryService service(root());
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("frmRecover"), [&](QDialog &dialog) {
        auto &window = static_cast<frmRecover &>(dialog);
        ASSERT_EQ(window.lstFiles->topLevelItemCount(), 2);
        ui.expectMessage(QStringLiteral("破棄しますか"), Interaction::Answer::No);
        window.cmdDiscard->click();
        EXPECT_EQ(window.lstFiles->topLevelItemCount(), 2);
        ui.expectMessage(QStringLiteral("破棄しますか"), Interaction::Answer::Yes);
        window.cmdDiscard->click();
        EXPECT_EQ(window.lstFiles->topLevelItemCount(), 1);
        window.cmdClose->click();
    });
    EXPECT_EQ(offerRecovery(service.folder(), frame.get()), 0);
    EXPECT_EQ(recordsUnder(root()).size(), 1);
    EXPECT_TRUE(frame->documents().isEmpty());
}

} // namespace

namespace {

// A write that fails (here the file's name is taken by a folder) is said once, however often
// the text is handed over again.
TEST_F(RecoveryKeeperTest, AFailingWriteIsSaidOnce)
{
    RecoveryService service(root());
    ASSERT_TRUE(QDir().mkpath(service.folder().fileFor(1) + QStringLiteral("/taken")));
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    QSignalSpy notes(doc, &frmDocument::note);
    for (int i = 0; i < 3; ++i) {
        typeInto(*doc, QStringLiteral("a"), QStringLiteral("字"));
        EXPECT_FALSE(keepRecoveryFileNow(*doc));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notes.isEmpty(); }, 5000));
    QTest::qWait(0);
    EXPECT_EQ(notes.size(), 1);
    EXPECT_TRUE(doc->txtText->text().contains(QStringLiteral("a字a字a字")));
}

// The difference window shows the page's lines on the disk against the recovered ones.
TEST_F(RecoveryKeeperTest, TheDifferenceShowsDiskLinesAgainstRecoveredOnes)
{
    writeBytes(path(QStringLiteral("page.htm")), "<HTML>\r\n<P>old line</P>\r\n</HTML>\r\n");
    {
        RecoveryFolder gone(root());
        int error = 0;
        ASSERT_TRUE(writeRecoveryFile(
            gone.fileFor(1),
            encodeRecoveryRecord(
                RecoveryRecord{.path = path(QStringLiteral("page.htm")),
                               .taken = QDateTime::currentDateTime(),
                               .text = QStringLiteral("<HTML>\r\n<P>新しい行</P>\r\n</HTML>\r\n")}),
            &error));
    }
    RecoveryService service(root());
    ScriptedInteraction ui;
    QString shown;
    ui.expectDialog(QStringLiteral("frmRecover"), [&](QDialog &dialog) {
        auto &window = static_cast<frmRecover &>(dialog);
        ui.expectDialog(QStringLiteral("frmRecoverDifference"), [&](QDialog &difference) {
            shown = difference.findChild<QPlainTextEdit *>(QStringLiteral("txtDifference"))
                        ->toPlainText();
            difference.reject();
        });
        window.cmdDifference->click();
        window.cmdClose->click();
    });
    EXPECT_EQ(offerRecovery(service.folder(), frame.get()), 0);
    EXPECT_EQ(shown, QStringLiteral("  <HTML>\n- <P>old line</P>\n+ <P>新しい行</P>\n  </HTML>\n"));
    EXPECT_EQ(recordsUnder(root()).size(), 1) << "looking at the difference discards nothing";
}

} // namespace
