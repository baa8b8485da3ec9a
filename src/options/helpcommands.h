#pragma once

#include "document/documentcommands.h"
#include "mainwindow/framecommands.h"

// The Help menu's commands of the frame and of the document window: the guide's contents and
// keyword search, and the About box.
FrameCommandTable helpFrameCommands();
DocumentCommandTable helpDocumentCommands();

// Adds both tables to their registries.
void registerHelpCommands();
