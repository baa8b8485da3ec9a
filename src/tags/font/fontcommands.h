#pragma once

#include "document/frmdocument.h"

// The text commands of the HTML menu: FONT and heading around the selection, a rule.
DocumentCommandTable fontCommands();
