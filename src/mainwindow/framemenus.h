#pragma once

#include "commands/menutable.h"

// The frame's own menus as data (shown while no document window is active), and the pop-up
// menu of the explorer pane (mnuPopup).
const QList<MenuEntry> &frameMenuTable();

// Entries of the frame that only say what they will do: an information box ending in
// "処理をここに記述します !". showPlaceholder shows it and answers true for such an entry.
bool isPlaceholder(const QString &handler);
bool showPlaceholder(const QString &handler);
