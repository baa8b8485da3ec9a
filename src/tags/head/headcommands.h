#pragma once

#include "document/frmdocument.h"

// The page-head commands of the HTML menu: author, description, keywords, refresh, base URL,
// anchor.
DocumentCommandTable pageHeadCommands();
