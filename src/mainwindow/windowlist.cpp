#include "mainwindow/windowlist.h"

#include "document/frmdocument.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace {

// Marks the entries this list added, so a refill removes exactly those.
const char *const ListEntryProperty = "orvineWindowListEntry";

void refill(QMenu *menu, QMdiArea *area)
{
    for (QAction *entry : menu->actions()) {
        if (entry->property(ListEntryProperty).toBool()) {
            menu->removeAction(entry);
            entry->deleteLater();
        }
    }
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : area->subWindowList())
        if (qobject_cast<frmDocument *>(window))
            windows << window;
    if (windows.isEmpty())
        return;
    QAction *separator = menu->addSeparator();
    separator->setProperty(ListEntryProperty, true);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows[i];
        QString caption = window->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString number
            = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
        QAction *entry = menu->addAction(number + caption);
        entry->setObjectName(QStringLiteral("mnuWindowList_%1").arg(i + 1));
        entry->setProperty(ListEntryProperty, true);
        entry->setCheckable(true);
        entry->setChecked(window == area->currentSubWindow());
        QObject::connect(entry, &QAction::triggered, area,
                         [area, target = QPointer<QMdiSubWindow>(window)] {
                             if (target)
                                 area->setActiveSubWindow(target);
                         });
    }
}

QAction *switchAction(QWidget *window, QList<QKeySequence> keys)
{
    auto *action = new QAction(window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

} // namespace

void attachWindowList(QMenu *menu, QMdiArea *area)
{
    if (!menu)
        return;
    QObject::connect(menu, &QMenu::aboutToShow, area, [menu, area] { refill(menu, area); });
}

void addWindowSwitchKeys(QWidget *window, QMdiArea *area)
{
    QAction *next = switchAction(
        window, {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)});
    next->setObjectName(QStringLiteral("nextDocumentWindow"));
    QObject::connect(next, &QAction::triggered, area, &QMdiArea::activateNextSubWindow);
    QAction *previous = switchAction(window, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)});
    previous->setObjectName(QStringLiteral("previousDocumentWindow"));
    QObject::connect(previous, &QAction::triggered, area, &QMdiArea::activatePreviousSubWindow);
}
