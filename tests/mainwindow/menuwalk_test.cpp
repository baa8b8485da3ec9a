#include "document/documentmenus.h"
#include "document/frmdocument.h"
#include "mainwindow/framemenus.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/toolbar.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// One menu owner: its table, whether a handler is registered, and its list of entries still
// to be built.
struct Owner
{
    const char *what;
    const QList<MenuEntry> &table;
    bool (*has)(const QString &handler);
    const QStringList &pending;
};

// Every leaf handler of the table is registered or on the list, never both.
QStringList mismatches(const Owner &owner)
{
    QStringList found;
    for (const QString &handler : leafHandlers(owner.table)) {
        const bool registered = owner.has(handler);
        const bool listed = owner.pending.contains(handler);
        if (!registered && !listed)
            found << handler
                         + QStringLiteral(": neither registered nor listed as still to be built");
        if (registered && listed)
            found << handler + QStringLiteral(": registered but still listed as to be built");
    }
    for (const QString &handler : owner.pending)
        if (!leafHandlers(owner.table).contains(handler))
            found << handler + QStringLiteral(": listed but on no entry");
    return found;
}

} // namespace

TEST(MenuWalk, EveryEntryIsRegisteredOrListedAsStillToBeBuilt)
{
    const Owner owners[] = {
        {"document window", documentMenuTable(), &DocumentCommands::has, pendingDocumentCommands()},
        {"frame", frameMenuTable(), &frmMain::hasCommand, pendingFrameCommands()},
    };
    for (const Owner &owner : owners) {
        SCOPED_TRACE(owner.what);
        EXPECT_EQ(mismatches(owner), QStringList());
    }
}

TEST(MenuWalk, EveryToolbarButtonsCommandIsRegisteredOrListed)
{
    for (const ToolButton &button : toolButtons()) {
        if (!button.handler)
            continue;
        SCOPED_TRACE(button.key);
        const QString handler = QLatin1String(button.handler);
        EXPECT_NE(DocumentCommands::has(handler), pendingDocumentCommands().contains(handler));
    }
}

using MenuWalkWindows = SpineTest;

TEST_F(MenuWalkWindows, EntriesAndButtonsOfCommandsStillToBeBuiltAreDisabled)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    frame->mdiArea->setActiveSubWindow(doc);
    frame->enableEditButtons(true);
    for (const MenuEntry &entry : documentMenuTable()) {
        if (!pendingDocumentCommands().contains(menuEntryHandler(entry)))
            continue;
        QAction *item = doc->action(menuEntryObjectName(entry));
        ASSERT_TRUE(item) << entry.name;
        EXPECT_FALSE(item->isEnabled()) << entry.name;
    }
    for (const MenuEntry &entry : frameMenuTable()) {
        if (!pendingFrameCommands().contains(menuEntryHandler(entry)))
            continue;
        QAction *item = frame->action(menuEntryObjectName(entry));
        ASSERT_TRUE(item) << entry.name;
        EXPECT_FALSE(item->isEnabled()) << entry.name;
    }
    for (const ToolButton &button : toolButtons()) {
        QAction *item = frame->tbToolBar->findChild<QAction *>(QLatin1String(button.key));
        if (!item) {
            for (QAction *a : frame->tbToolBar->actions())
                if (a->objectName() == QLatin1String(button.key))
                    item = a;
        }
        ASSERT_TRUE(item) << button.key;
        const bool pending
            = button.handler && pendingDocumentCommands().contains(QLatin1String(button.handler));
        EXPECT_EQ(item->isEnabled(), !pending) << button.key;
    }
}

TEST_F(MenuWalkWindows, WithNoDocumentOpenOnlyNewAndOpenAreEnabled)
{
    const auto enabledButtons = [&] {
        QStringList keys;
        for (QAction *a : frame->tbToolBar->actions())
            if (a->isEnabled())
                keys << a->objectName();
        return keys;
    };
    EXPECT_EQ(enabledButtons(), (QStringList{QStringLiteral("New"), QStringLiteral("Open")}));

    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    frame->mdiArea->setActiveSubWindow(doc);
    EXPECT_GT(enabledButtons().size(), 2);
    doc->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(enabledButtons(), (QStringList{QStringLiteral("New"), QStringLiteral("Open")}));
}
