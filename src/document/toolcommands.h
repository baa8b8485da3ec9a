#pragma once

#include "document/documentcommand.h"

// The find window and the text tools: the Tool menu's line tools and width conversion, the
// CSV to table command of the HTML menu.
DocumentCommandTable toolCommands();
