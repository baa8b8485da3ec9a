#include "support/spinefixture.h"

#include <QMenuBar>
#include <QPointer>

using FrameTest = SpineTest;

TEST_F(FrameTest, ClosingAsksFirstAndStoresTheSettingsWhateverTheAnswer)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);

    shared().strAuthor = QStringLiteral("作者その一");
    ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::No);
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Question);
    EXPECT_EQ(ui.lastPrompt().message.buttons, Interaction::Buttons::YesNo);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->documents().size(), 1);
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("Author")),
              shared().strAuthor);

    ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::Yes);
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(frame->documents().isEmpty());
}

TEST_F(FrameTest, ADocumentThatCancelsStopsTheShutdown)
{
    ScriptedInteraction ui;
    frmDocument *first = newDocument(ui);
    frmDocument *second = newDocument(ui);
    ASSERT_TRUE(first && second);
    first->txtText->setText(QStringLiteral("changed"));
    second->txtText->setText(QStringLiteral("changed too"));

    // The first window's Cancel ends the close before the second one is asked.
    ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::Yes)
        .expectMessage(first->caption() + QStringLiteral("は変更されています。"),
                       Interaction::Answer::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->documents().size(), 2);
}

TEST_F(FrameTest, TheActiveDocumentsMenusAreOnTheMenuBar)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    frame->mdiArea->setActiveSubWindow(doc);
    QStringList onBar;
    for (QAction *action : frame->menuBar()->actions())
        onBar << action->objectName();
    QStringList ofDoc;
    for (QMenu *menu : doc->menuBarMenus())
        ofDoc << menu->objectName();
    EXPECT_EQ(onBar, ofDoc);

    doc->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The frame's own menus return.
    QList<QAction *> own;
    for (QMenu *menu : frame->frameMenus)
        own << menu->menuAction();
    EXPECT_EQ(frame->menuBar()->actions(), own);
}

TEST_F(FrameTest, WindowMenuTilesTheDocuments)
{
    ScriptedInteraction ui;
    frmDocument *first = newDocument(ui);
    frmDocument *second = newDocument(ui);
    ASSERT_TRUE(first && second);
    first->run(QStringLiteral("mnuWindowTileVertical_Click"));
    EXPECT_EQ(first->geometry().top(), second->geometry().top());
    EXPECT_NE(first->geometry().left(), second->geometry().left());
    EXPECT_EQ(first->width(), second->width());

    first->run(QStringLiteral("mnuWindowTileHorizontal_Click"));
    EXPECT_EQ(first->geometry().left(), second->geometry().left());
    EXPECT_NE(first->geometry().top(), second->geometry().top());
    EXPECT_EQ(first->width(), frame->mdiArea->viewport()->width());
}

TEST_F(FrameTest, ANewDocumentWindowTakesThreeQuartersOfTheClientArea)
{
    ScriptedInteraction ui;
    frame->resize(1000, 800);
    QCoreApplication::processEvents();
    const QSize area = frame->mdiArea->viewport()->size();
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    ASSERT_FALSE(doc->isMaximized());
    EXPECT_EQ(doc->size(), QSize(area.width() * 3 / 4, area.height() * 3 / 4));
    EXPECT_FALSE(doc->windowIcon().isNull());
}

TEST_F(FrameTest, ACancelDuringShutdownLeavesEveryWindowOpen)
{
    struct Case
    {
        const char *what;
        Interaction::Answer firstAnswer;
        QString saveAs; // the save dialog of the first (never-saved) window, when shown
    };
    const Case cases[] = {
        {"first answered No, second cancelled", Interaction::Answer::No, {}},
        {"first answered Yes and its save dialog cancelled", Interaction::Answer::Yes, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInteraction ui;
        QPointer<frmDocument> first = newDocument(ui);
        QPointer<frmDocument> second = newDocument(ui);
        ASSERT_TRUE(first && second);
        first->txtText->setText(QStringLiteral("first text"));
        second->txtText->setText(QStringLiteral("second text"));

        ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::Yes)
            .expectMessage(first->caption() + QStringLiteral("は変更されています。"),
                           c.firstAnswer);
        if (c.firstAnswer == Interaction::Answer::Yes)
            ui.expectSaveFile(c.saveAs);
        else
            ui.expectMessage(second->caption() + QStringLiteral("は変更されています。"),
                             Interaction::Answer::Cancel);
        EXPECT_FALSE(frame->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->txtText->text(), QStringLiteral("first text"));
        EXPECT_EQ(second->txtText->text(), QStringLiteral("second text"));
        first->blnFlgDirty = second->blnFlgDirty = false;
        first->close();
        second->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
