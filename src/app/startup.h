#pragma once

#include <QString>

// The standard new-document template: fifteen lines joined by CR LF, no break at the end.
QString buildNewTemplate();

// The start-up sequence; returns the program's exit code.
int Main();
