#include "mainwindow/explorerpane.h"
#include "support/builtversion.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QDate>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

using FrameMenuTest = SpineTest;

QStringList barMenus(const frmMain &frame)
{
    QStringList names;
    for (QAction *action : frame.menuBar()->actions())
        names << action->objectName();
    return names;
}

} // namespace

TEST_F(FrameMenuTest, CaptionAndOwnMenusWhileNoDocumentIsOpen)
{
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orvine Ver ") + builtVersion());
    const QStringList own = {"mnuFile", "mnuView", "mnuTool", "mnuWindow", "mnuHelp"};
    EXPECT_EQ(barMenus(*frame), own);

    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    frame->mdiArea->setActiveSubWindow(doc);
    EXPECT_NE(barMenus(*frame), own);
    doc->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(barMenus(*frame), own);
}

TEST_F(FrameMenuTest, PlaceholdersOnlySayWhatTheyWillDo)
{
    const struct
    {
        const char *entry;
        const char *text;
    } cases[] = {
        {"mnuFileClose", "ﾌｧｲﾙを閉じる処理をここに記述します !"},
        {"mnuFileSaveAll", "すべてを保存する処理をここに記述します !"},
        {"mnuFileProperties", "ﾌﾟﾛﾊﾟﾃｨの表示処理をここに記述します !"},
        {"mnuFilePrintPreview", "印刷ﾌﾟﾚﾋﾞｭｰの表示処理をここに記述します !"},
        {"mnuFileSend", "送信処理をここに記述します !"},
        {"mnuViewRefresh", "最新の情報に表示を更新する処理をここに記述します !"},
        {"mnuWindowNewWindow", "新規ｳｨﾝﾄﾞｳを開く処理をここに記述します !"},
    };
    for (const auto &c : cases) {
        ScriptedInteraction ui;
        ui.expectMessage(QString::fromUtf8(c.text));
        QAction *entry = frame->action(QLatin1String(c.entry));
        ASSERT_TRUE(entry) << c.entry;
        EXPECT_TRUE(entry->isEnabled()) << c.entry;
        entry->trigger();
        EXPECT_EQ(ui.lastPrompt().message.text, QString::fromUtf8(c.text));
        EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Information);
    }
}

TEST_F(FrameMenuTest, FileEntriesWithoutADocument)
{
    ScriptedInteraction ui;
    // Save does nothing; save-as shows the dialog and writes nothing.
    frame->action(QStringLiteral("mnuFileSave"))->trigger();
    const QString file = path(QStringLiteral("ignored.htm"));
    ui.expectSaveFile(file);
    frame->action(QStringLiteral("mnuFileSaveAs"))->trigger();
    EXPECT_FALSE(QFile::exists(file));

    ui.expectPrinterSetup(false);
    frame->action(QStringLiteral("mnuFilePageSetup"))->trigger();

    ui.expectOpenFile({});
    frame->action(QStringLiteral("mnuFileOpen"))->trigger();
    EXPECT_EQ(ui.pendingCount(), 0);
}

TEST_F(FrameMenuTest, ActivationShowsRecentFilesOneToTen)
{
    for (int i = 1; i <= 20; ++i)
        shared().strRecentFile[i]
            = (i == 3 || i > 12) ? QString() : path(QStringLiteral("r%1.htm").arg(i));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(frame.get(), &activate);

    EXPECT_TRUE(frame->mnuFileMRU[0]->isVisible());
    EXPECT_TRUE(frame->mnuFileMRU[0]->isSeparator());
    for (int i = 1; i <= 15; ++i) {
        const bool shown = i <= 10 && i != 3;
        EXPECT_EQ(frame->mnuFileMRU[i]->isVisible(), shown) << i;
        if (shown) {
            EXPECT_EQ(frame->mnuFileMRU[i]->text(), shared().strRecentFile[i]) << i;
        }
    }

    // Choosing an entry opens its file.
    writeBytes(shared().strRecentFile[2], "<P>two</P>");
    ScriptedInteraction ui;
    frame->mnuFileMRU[2]->trigger();
    ASSERT_EQ(frame->documents().size(), 1);
    EXPECT_EQ(frame->documents().first()->txtText->text(), QStringLiteral("<P>two</P>"));
}

TEST_F(FrameMenuTest, ViewEntriesToggleAndCheck)
{
    const struct
    {
        const char *entry;
        QWidget *part;
    } cases[] = {
        {"mnuViewToolbar", frame->tbToolBar},
        {"mnuViewStatusBar", frame->sbStatusBar},
        {"mnuViewTreeVew", frame->picTree},
    };
    frame->menu(QStringLiteral("mnuView"))->aboutToShow();
    for (const auto &c : cases) {
        QAction *entry = frame->action(QLatin1String(c.entry));
        EXPECT_TRUE(entry->isChecked()) << c.entry;
        entry->trigger();
        EXPECT_TRUE(c.part->isHidden()) << c.entry;
        EXPECT_FALSE(entry->isChecked()) << c.entry;
        entry->trigger();
        EXPECT_FALSE(c.part->isHidden()) << c.entry;
        EXPECT_TRUE(entry->isChecked()) << c.entry;
    }

    // Without the pane the documents' area starts at the left edge.
    frame->action(QStringLiteral("mnuViewTreeVew"))->trigger();
    EXPECT_EQ(frame->mdiArea->geometry().left(), 0);
    frame->action(QStringLiteral("mnuViewTreeVew"))->trigger();
    EXPECT_EQ(frame->mdiArea->geometry().left(), frame->picTree->width());
}

TEST_F(FrameMenuTest, StatusBarPanels)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    frame->mdiArea->setActiveSubWindow(doc);
    doc->txtText->setText(QStringLiteral("x"));
    frame->refreshStatusPanels();
    EXPECT_EQ(frame->panelText(2), QStringLiteral("挿入"));
    EXPECT_EQ(frame->panelText(3), QStringLiteral("変更"));
    EXPECT_EQ(frame->panelText(4), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    EXPECT_FALSE(frame->panelText(5).isEmpty());
}

namespace {

// The separator above the recent files is a line, never a "-" written as a section.
TEST_F(FrameMenuTest, RecentFilesSeparatorHasNoText)
{
    QAction *separator = frame->action(QStringLiteral("mnuFileMRU_0"));
    ASSERT_TRUE(separator);
    EXPECT_TRUE(separator->isSeparator());
    EXPECT_TRUE(separator->text().isEmpty());
}

} // namespace
