#pragma once

#include "document/frmdocument.h"

// The image commands of the HTML menu: an image tag and the page's BODY start tag.
DocumentCommandTable imageCommands();
