#pragma once

#include <QList>

// The menus of the document window as data: the menu bar, the text's context menu
// (mnuPopupText) and the explorer pane's context menu (mnuPopup).
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

const QList<MenuEntry> &documentMenuTable();

// Object name of an entry: its name, with "_<index>" for control-array items.
QString menuEntryObjectName(const MenuEntry &entry);
// Handler of an entry or menu: its name + "_Click".
QString menuEntryHandler(const MenuEntry &entry);
