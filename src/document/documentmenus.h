#pragma once

#include "commands/menutable.h"

// The menus of the document window: the menu bar, the text's context menu (mnuPopupText), the
// script pop-up (mnuJs) and the explorer pane's context menu (mnuPopup).
const QList<MenuEntry> &documentMenuTable();
