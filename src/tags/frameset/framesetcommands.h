#pragma once

#include "document/frmdocument.h"

// The frameset command of the HTML menu.
DocumentCommandTable framesetCommands();
