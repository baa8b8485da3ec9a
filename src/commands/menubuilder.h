#pragma once

#include "commands/menutable.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

// Menus built from a menu table: the menus for the bar in order, and every menu and entry by
// objectName.
struct BuiltMenus
{
    QList<QMenu *> bar;
    QHash<QString, QMenu *> menus;
    QHash<QString, QAction *> actions;
};

// How the built menus reach their commands: whether a handler exists, and running it.
struct MenuCommands
{
    std::function<bool(const QString &handler)> has;
    std::function<void(const QString &handler, int index)> run;
};

// Builds the menus of `table` owned by `owner`. Entries whose command does not exist yet are
// present and disabled; opening a menu runs its own "_Click" command when there is one.
BuiltMenus buildMenusFromTable(const QList<MenuEntry> &table, QWidget *owner,
                               const MenuCommands &commands);
