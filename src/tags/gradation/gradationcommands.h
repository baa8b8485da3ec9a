#pragma once

#include "document/frmdocument.h"

// The Tool menu's gradation text (also on the text's context menu and the toolbar).
DocumentCommandTable gradationCommands();
