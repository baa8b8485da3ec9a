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

// One menu owner: its table and whether a handler is registered.
struct Owner
{
    const char *what;
    const QList<MenuEntry> &table;
    bool (*has)(const QString &handler);
};

// The leaf handlers of the table that no command answers.
QStringList unregistered(const Owner &owner)
{
    QStringList found;
    for (const QString &handler : leafHandlers(owner.table))
        if (!owner.has(handler))
            found << handler;
    return found;
}

} // namespace

TEST(MenuWalk, EveryEntryRunsARegisteredCommand)
{
    const Owner owners[] = {
        {"document window", documentMenuTable(), &DocumentCommands::has},
        {"frame", frameMenuTable(), &frmMain::hasCommand},
    };
    for (const Owner &owner : owners) {
        SCOPED_TRACE(owner.what);
        EXPECT_EQ(unregistered(owner), QStringList());
    }
}

TEST(MenuWalk, EveryToolbarButtonsCommandIsRegistered)
{
    for (const ToolButton &button : toolButtons()) {
        if (!button.handler)
            continue;
        SCOPED_TRACE(button.key);
        const QString handler = QLatin1String(button.handler);
        EXPECT_TRUE(DocumentCommands::has(handler));
    }
}

using MenuWalkWindows = SpineTest;

TEST_F(MenuWalkWindows, EveryEntryAndButtonIsEnabledInADocumentWindow)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    frame->mdiArea->setActiveSubWindow(doc);
    frame->enableEditButtons(true);
    for (const ToolButton &button : toolButtons()) {
        QAction *item = frame->tbToolBar->findChild<QAction *>(QLatin1String(button.key));
        if (!item) {
            for (QAction *a : frame->tbToolBar->actions())
                if (a->objectName() == QLatin1String(button.key))
                    item = a;
        }
        ASSERT_TRUE(item) << button.key;
        EXPECT_TRUE(item->isEnabled()) << button.key;
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
