#include "support/spinefixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>

// Keys of the frame and its document windows, sent as a user types them.
class WindowKeysTest : public SpineTest
{
protected:
    void SetUp() override
    {
        SpineTest::SetUp();
        frame->resize(1000, 800);
        QApplication::setActiveWindow(frame.get());
    }

    // Presses `key` where the focus is (the frame when nothing inside has it).
    void press(QKeyCombination key)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : frame.get();
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }

    frmDocument *focusedDocument(ScriptedInteraction &ui)
    {
        frmDocument *doc = newDocument(ui);
        if (doc) {
            frame->mdiArea->setActiveSubWindow(doc);
            doc->txtText->setFocus();
        }
        return doc;
    }
};

TEST_F(WindowKeysTest, CtrlWIsThePreviewEntrysAlone)
{
    ScriptedInteraction ui;
    QPointer<frmDocument> doc = focusedDocument(ui);
    ASSERT_TRUE(doc);
    const QKeySequence ctrlW(Qt::CTRL | Qt::Key_W);
    QStringList holders;
    QList<QAction *> all = doc->findChildren<QAction *>() + doc->actions();
    if (doc->systemMenu())
        all += doc->systemMenu()->actions();
    for (QAction *action : std::as_const(all))
        if (action->shortcuts().contains(ctrlW) && !holders.contains(action->objectName()))
            holders << action->objectName();
    EXPECT_EQ(holders, QStringList{QStringLiteral("mnuViewBrowser")});

    // Ctrl+W previews: a never-saved document asks to be saved first.
    ui.expectMessage(QStringLiteral("新規HTMLは保存しないとﾊﾟｽが確定できません。"),
                     Interaction::Answer::No);
    press(Qt::CTRL | Qt::Key_W);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(doc) << "Ctrl+W closed the document";
    EXPECT_EQ(ui.pendingCount(), 0);
}

TEST_F(WindowKeysTest, CtrlTabAndCtrlF6SwitchDocuments)
{
    ScriptedInteraction ui;
    frmDocument *first = newDocument(ui);
    frmDocument *second = focusedDocument(ui);
    ASSERT_TRUE(first && second);
    const struct
    {
        const char *what;
        QKeyCombination key;
    } cases[] = {
        {"Ctrl+Tab", Qt::CTRL | Qt::Key_Tab},
        {"Ctrl+F6", Qt::CTRL | Qt::Key_F6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QMdiSubWindow *before = frame->mdiArea->activeSubWindow();
        ASSERT_TRUE(before);
        press(c.key);
        EXPECT_NE(frame->mdiArea->activeSubWindow(), before);
        EXPECT_TRUE(frame->mdiArea->activeSubWindow() == first
                    || frame->mdiArea->activeSubWindow() == second);
    }
}

TEST_F(WindowKeysTest, TheWindowMenuListsTheOpenDocumentsWithTheActiveOneChecked)
{
    ScriptedInteraction ui;
    frmDocument *first = newDocument(ui);
    frmDocument *second = focusedDocument(ui);
    ASSERT_TRUE(first && second);
    QMenu *menu = second->menu(QStringLiteral("mnuWindow"));
    ASSERT_TRUE(menu);
    for (int round = 0; round < 2; ++round) { // opening it twice lists each window once
        emit menu->aboutToShow();
        QStringList listed;
        QAction *checked = nullptr;
        for (QAction *entry : menu->actions()) {
            if (!entry->objectName().startsWith(QLatin1String("mnuWindowList_")))
                continue;
            listed << entry->text();
            if (entry->isChecked())
                checked = entry;
        }
        EXPECT_EQ(listed, (QStringList{QStringLiteral("&1 ") + first->caption(),
                                       QStringLiteral("&2 ") + second->caption()}));
        ASSERT_TRUE(checked);
        EXPECT_EQ(checked->text(), QStringLiteral("&2 ") + second->caption());
    }
    menu->findChild<QAction *>(QStringLiteral("mnuWindowList_1"))->trigger();
    EXPECT_EQ(frame->mdiArea->activeSubWindow(), first);
}

TEST_F(WindowKeysTest, CtrlNAndCtrlOWorkWithNoDocumentOpen)
{
    ASSERT_TRUE(frame->documents().isEmpty());
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("dlgOpenHtml"),
                    [](QDialog &d) { clickControl(d, QStringLiteral("CancelButton")); });
    press(Qt::CTRL | Qt::Key_N);
    ui.expectOpenFile(QString());
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(ui.pendingCount(), 0);
}

TEST_F(WindowKeysTest, InsertTogglesOverwriteAndThePanelShowsIt)
{
    ScriptedInteraction ui;
    frmDocument *doc = focusedDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("abc"));
    doc->txtText->select(0, 0);
    EXPECT_EQ(frame->panelText(2), QStringLiteral("挿入"));
    press(Qt::Key_Insert);
    EXPECT_EQ(frame->panelText(2), QStringLiteral("上書"));
    QTest::keyClicks(doc->txtText, "X");
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("Xbc"));
    press(Qt::Key_Insert);
    EXPECT_EQ(frame->panelText(2), QStringLiteral("挿入"));
    QTest::keyClicks(doc->txtText, "Y");
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("XYbc"));
}
