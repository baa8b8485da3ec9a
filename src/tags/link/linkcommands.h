#pragma once

#include "document/frmdocument.h"

// The link commands of the HTML menu: a link to a page or file, and a mail link.
DocumentCommandTable linkCommands();
