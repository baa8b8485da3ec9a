#pragma once

// Adds the commands of every tag family to the document window's commands, and connects the
// re-editing (double-click, context menu) of every new document window.
void registerTagCommands();
