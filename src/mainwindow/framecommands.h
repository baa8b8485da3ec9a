#pragma once

#include "commands/commandtable.h"
#include "document/frmdocument.h"

class frmMain;
using FrameCommandTable = CommandTable<frmMain>;
using FrameCommands = CommandRegistry<frmMain>;

// The commands of the frame's own menus.
FrameCommandTable frameCommands();
// The commands of the document window's menus that act on the frame or open documents: new,
// open, recent files, exit, the View toggles and the Window arrangements. They are the same
// functions as the frame's own.
DocumentCommandTable documentFrameCommands();

// Adds the frame's commands and the document window's frame commands to their registries.
void registerFrameCommands();
