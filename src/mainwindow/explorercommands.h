#pragma once

#include "mainwindow/framecommands.h"

class frmMain;

// The commands of the explorer tree's menus and the View menu's explorer entry, for the frame
// and for the document window.
FrameCommandTable explorerFrameCommands();
DocumentCommandTable explorerDocumentCommands();
void registerExplorerCommands();

// Fills the frame's explorer tree with the drive nodes and connects it to the status bar, the
// tree menus and the double-click actions.
void attachExplorer(frmMain &frame);
