#pragma once

#include <QString>

// The standard new-document template: fifteen lines joined by CR LF, no break at the end.
QString buildNewTemplate();

// Asks for a template and opens a new, never-saved document window.
void NewDocument();

// The start-up sequence; returns the program's exit code.
int Main();
