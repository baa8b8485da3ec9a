#pragma once

#include "document/frmdocument.h"

// The commands of the form menu: FORM, INPUT and TEXTAREA.
DocumentCommandTable formCommands();
