#pragma once

#include "document/frmdocument.h"

// The table commands of the HTML menu: new table, row, cell.
DocumentCommandTable tableCommands();
