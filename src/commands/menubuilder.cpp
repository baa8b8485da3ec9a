#include "commands/menubuilder.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

BuiltMenus buildMenusFromTable(const QList<MenuEntry> &table, QWidget *owner,
                               const MenuCommands &commands)
{
    BuiltMenus built;
    QList<QMenu *> open; // the menu of each depth currently being filled
    for (int i = 0; i < table.size(); ++i) {
        const MenuEntry &entry = table[i];
        const QString name = menuEntryObjectName(entry);
        // Captions are translatable texts like every other the user sees, the Japanese text
        // being the source; without a translation they read as written.
        const QString caption = QCoreApplication::translate("Menu", entry.caption);
        const bool isMenu = i + 1 < table.size() && table[i + 1].depth > entry.depth;
        open.resize(entry.depth);

        QAction *item = nullptr;
        if (entry.depth == 0 || isMenu) {
            QMenu *menu
                = entry.depth == 0 ? new QMenu(caption, owner) : open.constLast()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            built.menus.insert(name, menu);
            if (entry.depth == 0 && !entry.hidden)
                built.bar << menu;
            // Opening a menu runs its own command, which sets the entries' state.
            const QString opening = menuEntryHandler(entry);
            if (commands.has(opening))
                QObject::connect(menu, &QMenu::aboutToShow, owner,
                                 [run = commands.run, opening] { run(opening, -1); });
            open << menu;
            item = menu->menuAction();
        } else if (caption == QLatin1String("-") && entry.index < 0) {
            item = open.constLast()->addSeparator();
            item->setObjectName(name);
        } else {
            item = open.constLast()->addAction(caption);
            item->setObjectName(name);
            if (caption == QLatin1String("-")) {
                // Item 0 of a control array, such as the recent files, is a separator. A
                // separator with text is drawn as a section showing the text: it has none.
                item->setText(QString());
                item->setSeparator(true);
            }
            if (entry.shortcut)
                item->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
            const QString handler = menuEntryHandler(entry);
            const int index = entry.index;
            item->setEnabled(handler.isEmpty() || commands.has(handler));
            if (!handler.isEmpty())
                QObject::connect(item, &QAction::triggered, owner,
                                 [run = commands.run, handler, index] { run(handler, index); });
        }
        if (entry.hidden)
            item->setVisible(false);
        built.actions.insert(name, item);
    }
    return built;
}
