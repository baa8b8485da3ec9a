#pragma once

// Adds the commands of every floor to the registries of the windows with menus. The program
// runs it once at start, before any window exists; so do the tests.
void registerAllCommands();
