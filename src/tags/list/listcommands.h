#pragma once

#include "document/frmdocument.h"

// The list commands of the HTML menu: unmarked, bulleted, numbered and definition lists.
DocumentCommandTable listCommands();
