#pragma once

#include "document/frmdocument.h"

// The document window's own command tables.
DocumentCommandTable documentFileCommands(); // save, save as, print, close, colour pass, Tool menu
DocumentCommandTable insertCommands();       // editing and insertion commands
DocumentCommandTable toolCommands();         // find, line tools, width conversion, CSV to table
DocumentCommandTable phraseCommands();       // the boilerplate phrases of the Insert menu
DocumentCommandTable encodingCommands();     // reopen and save in a chosen encoding
DocumentCommandTable viewCommands();         // the marks for full-width spaces and tabs
DocumentCommandTable undoCommands();         // the Edit menu's undo and redo
DocumentCommandTable typingCommands();       // go to a line, go to the matching tag

// Adds the undo and redo commands, and keeps their entries enabled as the text's undo stack
// allows.
void registerUndoCommands();

// Adds the document window's own commands to DocumentCommands.
void registerDocumentCommands();
