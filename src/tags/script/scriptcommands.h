#pragma once

#include "document/frmdocument.h"

// The commands of the その他, Perl and JavaScript menus: applets, SCRIPT blocks, the Perl
// print line and the JavaScript snippets.
DocumentCommandTable scriptCommands();
