#pragma once

#include "document/frmdocument.h"
#include "download/pagefetch.h"

// The Tool menu's download of a page's source from a server (also in the text's context menu).
DocumentCommandTable downloadCommands();

// The bounds every download runs under (tests shorten them).
const FetchLimits &downloadLimits();
void setDownloadLimits(const FetchLimits &limits);
