#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A window's menus as data: the menu bar and the pop-up menus.
//
// The table is flat and ordered; `depth` gives the nesting. Depth 0 is a menu of its own (on the
// bar unless `hidden`), depth 1 its entries, depth 2 the entries of a submenu, and so on. An
// entry followed by a deeper one is a submenu header. Every leaf entry runs the handler
// `name` + "_Click" (with `index` for control arrays); opening a menu runs `name` + "_Click" of
// the menu itself when such a command is registered.
struct MenuEntry
{
    int depth;
    const char *name;               // objectName; control-array items get "_<index>" appended
    const char *caption;            // "-" is a separator
    const char *shortcut = nullptr; // portable QKeySequence text
    int index = -1;                 // index within a control array, -1 for a plain entry
    bool hidden = false;            // hidden when the window is created
    // The command run instead of `name` + "_Click" (context-menu items that repeat a menu
    // command); "" for an entry without any action.
    const char *handler = nullptr;
};

// Object name of an entry: its name, with "_<index>" for control-array items.
QString menuEntryObjectName(const MenuEntry &entry);
// Handler of an entry or menu: its name + "_Click", or the entry's own handler.
QString menuEntryHandler(const MenuEntry &entry);
// The handlers of every leaf entry of `table` (menus themselves and separators left out).
QStringList leafHandlers(const QList<MenuEntry> &table);

// Builds a menu table with short calls, in the order of the menus.
class MenuTableBuilder
{
public:
    MenuTableBuilder &add(int depth, const char *name, const char *caption,
                          const char *shortcut = nullptr);
    MenuTableBuilder &hidden(int depth, const char *name, const char *caption);
    // A context-menu item that runs another entry's command.
    MenuTableBuilder &alias(int depth, const char *name, const char *caption, const char *handler);
    // A control array; items from `hiddenFrom` on start hidden.
    MenuTableBuilder &array(int depth, const char *name, const QList<const char *> &captions,
                            int hiddenFrom = -1);
    QList<MenuEntry> take() { return std::move(m_entries); }

private:
    QList<MenuEntry> m_entries;
};
