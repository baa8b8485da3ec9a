#pragma once

#include "document/menubuilder.h"

#include <QList>

class frmMain;

// The frame's own menus as data (shown while no document window is active), and the pop-up
// menu of the explorer pane (mnuPopup). Same layout as the document window's table.
const QList<MenuEntry> &frameMenuTable();

// A command of the frame: its handler's name and the function that runs it; the recent-file
// entries take their index.
struct FrameCommand
{
    const char *handler;
    void (*run)(frmMain &frame) = nullptr;
    void (*runIndexed)(frmMain &frame, int index) = nullptr;
};
const FrameCommand *findFrameCommand(const QString &handler);
// True when `handler` is a command of the frame, or an entry that only says what it will do.
bool hasFrameCommand(const QString &handler);
// Runs the frame's command `handler`; false when there is none.
bool runFrameCommand(frmMain &frame, const QString &handler, int index = -1);

// The frame's menus built from the table. Entries whose command is not there yet are disabled.
BuiltMenus buildFrameMenus(frmMain &frame);
