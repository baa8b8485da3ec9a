#pragma once

// Shows the options dialog modally; true when OK stored the options.
bool showOptions();

// Adds the options commands of the frame's menus and of the document window's Tool menu.
void registerOptionsCommands();
